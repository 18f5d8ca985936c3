// Texts on their way into a page. The library's texts are bytes of the
// Windows ANSI code page (Windows-1252); a page is UTF-8.
#ifndef KAVU32_TOOLS_KAVU_PAGE_TEXT_H
#define KAVU32_TOOLS_KAVU_PAGE_TEXT_H

#include <string>
#include <string_view>

namespace kavu32::kavu {

// Windows-1252 bytes as UTF-8. The five bytes that code page leaves
// undefined, and the control characters a page may not hold (all below
// 0x20 except tab, line feed and carriage return, and 0x7F), become U+FFFD.
std::string DecodeWindows1252(std::string_view bytes);

// A UTF-8 text in Windows-1252, for handing a command-line name to the
// library: characters the code page lacks become '?'. A text that is not
// valid UTF-8 is taken to be Windows-1252 already and comes back unchanged.
std::string EncodeWindows1252(std::string_view utf8);

// &, <, >, " and ' as character references.
std::string EscapeHtml(std::string_view text);

// A library text as page content: decoded, escaped, each line ended by
// <br> but the last. Empty lines are left out, as the text report does.
std::string HtmlLines(std::string_view bytes);

}  // namespace kavu32::kavu

#endif

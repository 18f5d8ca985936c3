// Format: printf-like substitution. %s inserts the next text, %d the next
// integer in signed decimal; every other character is copied unchanged.
// An argument of the wrong kind, or a missing one, inserts nothing.
#ifndef KAVU32_SUPPORT_FORMAT_H
#define KAVU32_SUPPORT_FORMAT_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace kavu32 {

using FormatArg = std::variant<std::string_view, int32_t>;

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// The same text appended to out; no argument may view out's own text.
void AppendFormat(std::string& out, std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace kavu32

#endif

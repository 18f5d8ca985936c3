#include "page_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace kavu32::kavu {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// 0x80 to 0x9F, where Windows-1252 differs from Latin-1; 0 where it has no
// character.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t CodePoint(unsigned char byte) {
  if (byte == '\t' || byte == '\n' || byte == '\r') {
    return byte;
  }
  if (byte < 0x20 || byte == 0x7F) {
    return Replacement;
  }
  if (byte >= 0x80 && byte < 0xA0) {
    const char32_t mapped = HighControls[byte - 0x80];
    return mapped == 0 ? Replacement : mapped;
  }
  return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of `c` in Windows-1252; '?' when the code page lacks it.
char EncodedByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(c);
  }
  const auto found = std::find(HighControls.begin(), HighControls.end(), c);
  if (found == HighControls.end()) {
    return '?';
  }
  return static_cast<char>(0x80 + (found - HighControls.begin()));
}

// The code points of a strictly valid UTF-8 text (no overlong forms, no
// surrogates), or nothing.
std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size()) {
      return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        return std::nullopt;
      }
      c = (c << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      return std::nullopt;
    }
    out += c;
    i += length;
  }
  return out;
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    AppendUtf8(out, CodePoint(static_cast<unsigned char>(byte)));
  }
  return out;
}

std::string EncodeWindows1252(std::string_view utf8) {
  const auto decoded = DecodeUtf8(utf8);
  if (!decoded) {
    return std::string(utf8);
  }
  std::string out;
  out.reserve(decoded->size());
  for (char32_t c : *decoded) {
    out += EncodedByte(c);
  }
  return out;
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HtmlLines(std::string_view bytes) {
  std::string out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t found = bytes.find_first_of("\r\n", start);
    const std::size_t end = found == std::string_view::npos ? bytes.size() : found;
    if (end > start) {
      out += out.empty() ? "" : "<br>\n";
      out += EscapeHtml(DecodeWindows1252(bytes.substr(start, end - start)));
    }
    start = end + 1;
  }
  return out;
}

}  // namespace kavu32::kavu

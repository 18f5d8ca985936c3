// Small text helpers of the formatters and parsers: ASCII character
// classes (no locale), the quoted literals of date patterns and the
// failure of a conversion.
#ifndef KAVU32_SUPPORT_PATTERN_TEXT_H
#define KAVU32_SUPPORT_PATTERN_TEXT_H

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "support/error.h"
#include "support/format.h"

namespace kavu32 {

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The run of decimal digits text starts with.
inline std::string_view LeadingDigits(std::string_view text) {
  return text.substr(0, text.find_first_not_of("0123456789"));
}

// True when text continues at position at (up to its size) with prefix,
// ignoring ASCII case.
inline bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  return std::ranges::equal(text.substr(at, prefix.size()), prefix,
                            [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

inline bool IsQuote(char c) { return c == '"' || c == '\''; }

struct QuotedText {
  std::string_view Text;
  size_t End;  // the index past the closing quote
};

// The quoted literal that opens at pattern[at]; an unclosed one runs to the
// end of the pattern.
inline QuotedText QuotedLiteral(std::string_view pattern, size_t at) {
  const size_t close = pattern.find(pattern[at], at + 1);
  if (close == std::string_view::npos) return {pattern.substr(at + 1), pattern.size()};
  return {pattern.substr(at + 1, close - at - 1), close + 1};
}

// Fails with message, its %s replaced by text.
[[noreturn]] inline void FailConversion(const char* message, std::string_view text) {
  throw Error(Format(message, {text}));
}

}  // namespace kavu32

#endif

#include "support/format.h"

#include <charconv>

namespace kavu32 {

namespace {

void AppendArgument(std::string& out, char kind, const FormatArg* arg) {
  if (arg == nullptr) return;
  if (kind == 's') {
    if (const auto* text = std::get_if<std::string_view>(arg)) out += *text;
    return;
  }
  if (const auto* number = std::get_if<int32_t>(arg)) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, *number);
    out.append(digits, result.ptr);
  }
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(pattern.size() + 16);
  const FormatArg* next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const bool directive = c == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd');
    if (!directive) {
      out += c;
      continue;
    }
    // Each directive takes the next argument, used or not.
    AppendArgument(out, pattern[++i], next != args.end() ? next++ : nullptr);
  }
  return out;
}

}  // namespace kavu32

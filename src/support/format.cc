#include "support/format.h"

#include <charconv>

namespace kavu32 {

namespace {

// The longest int32_t in decimal: a sign and ten digits.
constexpr size_t MaxDecimalDigits = 11;

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
  AppendFormat(out, pattern, args);
  return out;
}

void AppendFormat(std::string& out, std::string_view pattern, std::initializer_list<FormatArg> args) {
  // Room for the pattern and every argument, so the text grows at most once.
  size_t room = out.size() + pattern.size();
  for (const FormatArg& arg : args) {
    const auto* text = std::get_if<std::string_view>(&arg);
    room += text ? text->size() : MaxDecimalDigits;
  }
  out.reserve(room);
  const FormatArg* next = args.begin();
  size_t copied = 0;  // pattern[..copied) is in out
  for (size_t i = pattern.find('%'); i != std::string_view::npos; i = pattern.find('%', i + 1)) {
    // %s and %d are directives; any other % is copied as it is.
    const std::string_view kind = pattern.substr(i + 1, 1);
    if (kind != "s" && kind != "d") continue;
    out.append(pattern, copied, i - copied);
    // Each directive takes the next argument, used or not.
    AppendArgument(out, pattern[++i], next != args.end() ? next++ : nullptr);
    copied = i + 1;
  }
  out.append(pattern, copied);
}

}  // namespace kavu32

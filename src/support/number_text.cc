#include "support/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "support/pattern_text.h"

namespace kavu32 {

namespace {

constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
constexpr int SignificantDigits = 15;

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// --- General number format ----------------------------------------------

// The value rounded to 15 significant digits: the digits without trailing
// zeros and the exponent e of 0.d1d2.. x 10^e.
struct Significand {
  std::string Digits;
  int Exponent;
};

Significand RoundToSignificant(double magnitude) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                    SignificantDigits - 1);
  const std::string_view written(text, static_cast<size_t>(result.ptr - text));
  const size_t e = written.find('e');
  Significand out;
  for (char c : written.substr(0, e)) {
    if (IsAsciiDigit(c)) out.Digits += c;
  }
  out.Digits.erase(out.Digits.find_last_not_of('0') + 1);
  // The exponent as written, signed: "e+05", "e-07".
  out.Exponent = std::stoi(std::string(written.substr(e + 1))) + 1;
  return out;
}

std::string FixedNotation(const Significand& s, char separator) {
  if (s.Exponent <= 0) {
    return "0" + std::string(1, separator) + std::string(static_cast<size_t>(-s.Exponent), '0') + s.Digits;
  }
  const size_t whole = static_cast<size_t>(s.Exponent);
  std::string out = s.Digits.substr(0, whole);
  out.resize(whole, '0');
  if (s.Digits.size() > whole) out += separator + s.Digits.substr(whole);
  return out;
}

std::string ScientificNotation(const Significand& s, char separator) {
  std::string out(1, s.Digits[0]);
  if (s.Digits.size() > 1) out += separator + s.Digits.substr(1);
  return out + 'E' + std::to_string(s.Exponent - 1);
}

// --- Number parsing -----------------------------------------------------

// Decimal digits from text[pos], appended to digits; the count read.
size_t ScanDigits(std::string_view text, size_t& pos, std::string& digits) {
  const std::string_view scanned = LeadingDigits(text.substr(pos));
  digits += scanned;
  pos += scanned.size();
  return scanned.size();
}

// The n for which the mantissa whole.fraction lies in [10^(n-1), 10^n).
// Only a value out of range asks, and a zero mantissa never is: its n is
// of no account.
int64_t OrderOfMagnitude(const std::string& whole, const std::string& fraction) {
  const size_t wholeStart = whole.find_first_not_of('0');
  if (wholeStart != std::string::npos) return static_cast<int64_t>(whole.size() - wholeStart);
  return -static_cast<int64_t>(fraction.find_first_not_of('0'));
}

// A number of the form [+|-]digits[sep digits][(E|e)[+|-]digits] (at least
// one mantissa digit), written out for from_chars, with the decimal order of
// magnitude of its value to tell overflow from underflow.
struct FloatSyntax {
  std::string Ascii;
  int64_t Order;
};

std::optional<FloatSyntax> ScanFloat(std::string_view text, char separator) {
  size_t pos = 0;
  // The next character, taken when it is one of chars.
  const auto take = [&](std::string_view chars) -> std::optional<char> {
    if (pos == text.size() || chars.find(text[pos]) == std::string_view::npos) return std::nullopt;
    return text[pos++];
  };
  FloatSyntax out;
  if (take("+-") == '-') out.Ascii += '-';
  std::string whole, fraction;
  ScanDigits(text, pos, whole);
  if (take({&separator, 1})) ScanDigits(text, pos, fraction);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  out.Ascii += (whole.empty() ? "0" : whole) + '.' + fraction + '0';
  out.Order = OrderOfMagnitude(whole, fraction);
  if (take("eE")) {
    std::string exponent;
    if (const std::optional<char> sign = take("+-")) exponent += *sign;
    if (ScanDigits(text, pos, exponent) == 0) return std::nullopt;
    out.Ascii += 'e' + exponent;
    const bool negative = exponent[0] == '-';
    int64_t magnitude = 0;
    for (char c : exponent) {
      if (IsAsciiDigit(c)) magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), 1'000'000);
    }
    out.Order += negative ? -magnitude : magnitude;
  }
  if (pos != text.size()) return std::nullopt;
  return out;
}

}  // namespace

std::string IntToStr(int32_t value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

std::string FloatToStr(double value, const RegionalSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  const Significand s = RoundToSignificant(std::fabs(value));
  const bool fixed = s.Exponent >= -3 && s.Exponent <= SignificantDigits;
  const std::string text =
      fixed ? FixedNotation(s, settings.DecimalSeparator) : ScientificNotation(s, settings.DecimalSeparator);
  return std::signbit(value) ? '-' + text : text;
}

int32_t StrToInt(std::string_view text) {
  std::string_view rest = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
  int base = 10;
  bool negative = false;
  if (!rest.empty() && rest[0] == '$') {
    base = 16;
    rest.remove_prefix(1);
  } else if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    negative = rest[0] == '-';
    rest.remove_prefix(1);
  }
  // Digits only: from_chars would take a sign of its own.
  if (rest.empty() || rest[0] == '-' || rest[0] == '+') FailConversion(InvalidInteger, text);
  uint32_t magnitude;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
  const uint32_t limit = negative ? 0x8000'0000u : 0x7FFF'FFFFu;
  if (error != std::errc() || end != rest.data() + rest.size() || magnitude > limit) {
    FailConversion(InvalidInteger, text);
  }
  return negative ? static_cast<int32_t>(0u - magnitude) : static_cast<int32_t>(magnitude);
}

double StrToFloat(std::string_view text, const RegionalSettings& settings) {
  const std::optional<FloatSyntax> syntax = ScanFloat(TrimBlanks(text), settings.DecimalSeparator);
  if (!syntax) FailConversion(InvalidFloat, text);
  double value;
  const char* first = syntax->Ascii.data();
  const auto [end, error] = std::from_chars(first, first + syntax->Ascii.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small for a double is zero; too large is no floating point value.
    if (syntax->Order > 0) FailConversion(InvalidFloat, text);
    return syntax->Ascii[0] == '-' ? -0.0 : 0.0;
  }
  if (error != std::errc() || end != first + syntax->Ascii.size()) FailConversion(InvalidFloat, text);
  return value;
}

int32_t RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double excess = value - below;
  double rounded = below;
  if (excess > 0.5 || (excess == 0.5 && std::fmod(below, 2.0) != 0)) rounded = below + 1;
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) {
    FailConversion(InvalidInteger, FloatToStr(value));
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace kavu32

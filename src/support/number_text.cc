#include "support/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/platform.h"
#include "support/date_format.h"
#include "support/error.h"
#include "support/format.h"
#include "support/pattern_text.h"

namespace kavu32 {

namespace {

constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
constexpr const char* kInvalidDateTime = "'%s' is not a valid date and time";
constexpr int kSignificantDigits = 15;

[[noreturn]] void FailParse(const char* message, std::string_view text) {
  throw Error(Format(message, {text}));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
  int Exponent = 0;
};

Significand RoundToSignificant(double magnitude) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                    kSignificantDigits - 1);
  const std::string_view written(text, static_cast<size_t>(result.ptr - text));
  const size_t e = written.find('e');
  Significand out;
  for (char c : written.substr(0, e)) {
    if (IsDigit(c)) out.Digits += c;
  }
  out.Digits.erase(out.Digits.find_last_not_of('0') + 1);
  const std::string_view exponent = written.substr(e + (written[e + 1] == '+' ? 2 : 1));
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), out.Exponent);
  ++out.Exponent;
  return out;
}

std::string FixedNotation(const Significand& s, char separator) {
  if (s.Exponent <= 0) return "0" + std::string(1, separator) + std::string(static_cast<size_t>(-s.Exponent), '0') + s.Digits;
  const size_t whole = static_cast<size_t>(s.Exponent);
  std::string out = s.Digits.substr(0, whole);
  if (out.size() < whole) out.append(whole - out.size(), '0');
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
  const size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) digits += text[pos++];
  return pos - start;
}

// The n for which the mantissa whole.fraction lies in [10^(n-1), 10^n);
// 0 for a zero mantissa.
int64_t OrderOfMagnitude(const std::string& whole, const std::string& fraction) {
  const size_t wholeStart = whole.find_first_not_of('0');
  if (wholeStart != std::string::npos) return static_cast<int64_t>(whole.size() - wholeStart);
  const size_t fractionStart = fraction.find_first_not_of('0');
  return fractionStart != std::string::npos ? -static_cast<int64_t>(fractionStart) : 0;
}

// A number of the form [+|-]digits[sep digits][(E|e)[+|-]digits] (at least
// one mantissa digit), written out for from_chars, with the decimal order of
// magnitude of its value to tell overflow from underflow.
struct FloatSyntax {
  std::string Ascii;
  int64_t Order = 0;
};

std::optional<FloatSyntax> ScanFloat(std::string_view text, char separator) {
  FloatSyntax out;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') out.Ascii += '-';
    ++pos;
  }
  std::string whole, fraction;
  ScanDigits(text, pos, whole);
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    ScanDigits(text, pos, fraction);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  out.Ascii += (whole.empty() ? "0" : whole) + '.' + fraction + '0';
  out.Order = OrderOfMagnitude(whole, fraction);
  if (pos < text.size() && AsciiLower(text[pos]) == 'e') {
    ++pos;
    std::string exponent;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent += text[pos++];
    if (ScanDigits(text, pos, exponent) == 0) return std::nullopt;
    out.Ascii += 'e' + exponent;
    const bool negative = exponent[0] == '-';
    int64_t magnitude = 0;
    for (char c : exponent) {
      if (IsDigit(c)) magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), 1'000'000);
    }
    out.Order += negative ? -magnitude : magnitude;
  }
  if (pos != text.size()) return std::nullopt;
  return out;
}

// --- Date and time parsing ------------------------------------------------

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The order of the date parts: that of the first d, m or y letter of the
// short date format (outside quoted text).
DateOrder OrderOf(std::string_view format) {
  for (size_t i = 0; i < format.size();) {
    if (IsQuote(format[i])) {
      i = QuotedLiteral(format, i).End;
      continue;
    }
    switch (AsciiLower(format[i++])) {
      case 'd':
        return DateOrder::DayMonthYear;
      case 'y':
        return DateOrder::YearMonthDay;
      case 'm':
        return DateOrder::MonthDayYear;
      default:
        break;
    }
  }
  return DateOrder::MonthDayYear;
}

struct ScannedNumber {
  int Value = 0;
  size_t Digits = 0;
};

// Reads the parts of a date-time text from left to right; every Scan
// leaves the position unchanged when it finds nothing.
class DateTimeScanner {
 public:
  DateTimeScanner(std::string_view text, const RegionalSettings& settings) : text_(text), settings_(settings) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  std::optional<TDateTime> ScanDate() {
    const size_t start = pos_;
    ScannedNumber parts[3];
    for (int i = 0; i < 3; ++i) {
      if ((i > 0 && !ScanChar(settings_.DateSeparator)) || !ScanNumber(parts[i], 4)) {
        pos_ = start;
        return std::nullopt;
      }
    }
    const auto [year, month, day] = Arrange(parts);
    if (month.Digits > 2 || day.Digits > 2) return Reject(start);
    const int fullYear = year.Digits <= 2 ? ExpandTwoDigitYear(year.Value, platform::Today().Year) : year.Value;
    if (!IsValidDate(fullYear, month.Value, day.Value)) return Reject(start);
    return EncodeDate(fullYear, month.Value, day.Value);
  }

  // h:mm[:ss], then optionally blanks and a designator.
  std::optional<TDateTime> ScanTime() {
    const size_t start = pos_;
    ScannedNumber hour, minute, second;
    if (!ScanNumber(hour, 2) || !ScanChar(settings_.TimeSeparator) || !ScanNumber(minute, 2)) return Reject(start);
    if (ScanChar(settings_.TimeSeparator) && !ScanNumber(second, 2)) return Reject(start);
    const size_t beforeDesignator = pos_;
    SkipBlanks();
    const std::optional<bool> afternoon = ScanDesignator();
    if (!afternoon) pos_ = beforeDesignator;
    int hours = hour.Value;
    if (afternoon) {
      if (hours < 1 || hours > 12) return Reject(start);
      hours = hours % 12 + (*afternoon ? 12 : 0);
    }
    if (hours > 23 || minute.Value > 59 || second.Value > 59) return Reject(start);
    return EncodeTime(hours, minute.Value, second.Value, 0);
  }

  // True when at least one blank was skipped.
  bool SkipBlanks() {
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    return pos_ > start;
  }

 private:
  struct Ymd {
    ScannedNumber Year, Month, Day;
  };

  Ymd Arrange(const ScannedNumber (&parts)[3]) const {
    switch (OrderOf(settings_.ShortDateFormat)) {
      case DateOrder::DayMonthYear:
        return {parts[2], parts[1], parts[0]};
      case DateOrder::YearMonthDay:
        return {parts[0], parts[1], parts[2]};
      default:
        return {parts[2], parts[0], parts[1]};
    }
  }

  std::optional<TDateTime> Reject(size_t start) {
    pos_ = start;
    return std::nullopt;
  }

  bool ScanChar(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  bool ScanNumber(ScannedNumber& number, size_t maxDigits) {
    size_t end = pos_;
    while (end < text_.size() && IsDigit(text_[end])) ++end;
    if (end == pos_ || end - pos_ > maxDigits) return false;
    std::from_chars(text_.data() + pos_, text_.data() + end, number.Value);
    number.Digits = end - pos_;
    pos_ = end;
    return true;
  }

  // The settings' designators, then am, pm, a and p in any case; true for
  // the afternoon.
  std::optional<bool> ScanDesignator() {
    const std::pair<std::string_view, bool> designators[] = {
        {settings_.TimeAMString, false}, {settings_.TimePMString, true}, {"am", false},
        {"pm", true},                    {"a", false},                   {"p", true}};
    for (const auto& [token, afternoon] : designators) {
      if (ScanWordNoCase(token)) return afternoon;
    }
    return std::nullopt;
  }

  bool ScanWordNoCase(std::string_view word) {
    if (word.empty() || !StartsWithNoCase(text_, pos_, word)) return false;
    pos_ += word.size();
    return true;
  }

  std::string_view text_;
  const RegionalSettings& settings_;
  size_t pos_ = 0;
};

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
  const bool fixed = s.Exponent >= -3 && s.Exponent <= kSignificantDigits;
  const std::string text = fixed ? FixedNotation(s, settings.DecimalSeparator)
                                 : ScientificNotation(s, settings.DecimalSeparator);
  return value < 0 ? '-' + text : text;
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
  if (rest.empty() || rest[0] == '-' || rest[0] == '+') FailParse(kInvalidInteger, text);
  uint32_t magnitude = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
  const uint32_t limit = negative ? 0x8000'0000u : 0x7FFF'FFFFu;
  if (error != std::errc() || end != rest.data() + rest.size() || magnitude > limit) {
    FailParse(kInvalidInteger, text);
  }
  return negative ? static_cast<int32_t>(0u - magnitude) : static_cast<int32_t>(magnitude);
}

double StrToFloat(std::string_view text, const RegionalSettings& settings) {
  const std::optional<FloatSyntax> syntax = ScanFloat(TrimBlanks(text), settings.DecimalSeparator);
  if (!syntax) FailParse(kInvalidFloat, text);
  double value = 0;
  const char* first = syntax->Ascii.data();
  const auto [end, error] = std::from_chars(first, first + syntax->Ascii.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small for a double is zero; too large is no floating point value.
    if (syntax->Order > 0) FailParse(kInvalidFloat, text);
    return syntax->Ascii[0] == '-' ? -0.0 : 0.0;
  }
  if (error != std::errc() || end != first + syntax->Ascii.size()) FailParse(kInvalidFloat, text);
  return value;
}

TDateTime StrToDateTime(std::string_view text, const RegionalSettings& settings) {
  DateTimeScanner scanner(text, settings);
  scanner.SkipBlanks();
  std::optional<TDateTime> date = scanner.ScanDate();
  std::optional<TDateTime> time;
  if (!date) {
    time = scanner.ScanTime();
  } else if (scanner.SkipBlanks()) {
    time = scanner.ScanTime();
  }
  scanner.SkipBlanks();
  if ((!date && !time) || !scanner.AtEnd()) FailParse(kInvalidDateTime, text);
  return CombineDateTime(date.value_or(0), time.value_or(0));
}

int ExpandTwoDigitYear(int twoDigitYear, int currentYear) {
  const int earliest = currentYear - 50;
  const int year = earliest - earliest % 100 + twoDigitYear;
  return year < earliest ? year + 100 : year;
}

std::string DateTimeToStr(TDateTime value, const RegionalSettings& settings) {
  std::string text = FormatDateTime(settings.ShortDateFormat, value, settings);
  const TimeParts time = DecodeTime(value);
  if (time.Hour != 0 || time.Minute != 0 || time.Second != 0) {
    text += ' ';
    text += FormatDateTime(settings.LongTimeFormat, value, settings);
  }
  return text;
}

int32_t RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double excess = value - below;
  double rounded = below;
  if (excess > 0.5 || (excess == 0.5 && std::fmod(below, 2.0) != 0)) rounded = below + 1;
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) {
    FailParse(kInvalidInteger, FloatToStr(value));
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace kavu32

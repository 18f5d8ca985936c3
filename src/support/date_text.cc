#include "support/number_text.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "support/date_format.h"
#include "support/pattern_text.h"

namespace kavu32 {

namespace {

constexpr const char* InvalidDateTime = "'%s' is not a valid date and time";

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
  int Value = 0;  // the seconds when the text has none
  size_t Digits;
};

// Reads the parts of a date-time text from left to right; every Scan
// leaves the position unchanged when it finds nothing.
class DateTimeScanner {
 public:
  DateTimeScanner(std::string_view text, int currentYear, const RegionalSettings& settings)
      : text_(text), current_year_(currentYear), settings_(settings) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  std::optional<TDateTime> ScanDate() {
    const size_t start = pos_;
    ScannedNumber parts[3];
    for (int i = 0; i < 3; ++i) {
      if ((i > 0 && !ScanChar(settings_.DateSeparator)) || !ScanNumber(parts[i], 4)) return Reject(start);
    }
    const auto [year, month, day] = Arrange(parts);
    if (month.Digits > 2 || day.Digits > 2) return Reject(start);
    const int fullYear = year.Digits <= 2 ? ExpandTwoDigitYear(year.Value, current_year_) : year.Value;
    if (!IsValidDate(fullYear, month.Value, day.Value)) return Reject(start);
    return EncodeDate(fullYear, month.Value, day.Value);
  }

  // h:mm[:ss], then optionally blanks and a designator.
  std::optional<TDateTime> ScanTime() {
    const size_t start = pos_;
    ScannedNumber hour, minute, second;
    if (!ScanNumber(hour, 2) || !ScanChar(settings_.TimeSeparator) || !ScanNumber(minute, 2))
      return Reject(start);
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
    pos_ = std::min(text_.find_first_not_of(' ', pos_), text_.size());
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
    if (!text_.substr(pos_).starts_with(c)) return false;
    ++pos_;
    return true;
  }

  bool ScanNumber(ScannedNumber& number, size_t maxDigits) {
    const std::string_view digits = LeadingDigits(text_.substr(pos_));
    if (digits.empty() || digits.size() > maxDigits) return false;
    std::from_chars(digits.data(), digits.data() + digits.size(), number.Value);
    number.Digits = digits.size();
    pos_ += digits.size();
    return true;
  }

  // The settings' designators, then am, pm, a and p in any case; true for
  // the afternoon.
  std::optional<bool> ScanDesignator() {
    const std::pair<std::string_view, bool> designators[] = {{settings_.TimeAMString, false},
                                                             {settings_.TimePMString, true},
                                                             {"am", false},
                                                             {"pm", true},
                                                             {"a", false},
                                                             {"p", true}};
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
  int current_year_;
  const RegionalSettings& settings_;
  size_t pos_{};
};

}  // namespace

TDateTime StrToDateTime(std::string_view text, int currentYear, const RegionalSettings& settings) {
  DateTimeScanner scanner(text, currentYear, settings);
  scanner.SkipBlanks();
  std::optional<TDateTime> date = scanner.ScanDate();
  std::optional<TDateTime> time;
  if (!date) {
    time = scanner.ScanTime();
  } else if (scanner.SkipBlanks()) {
    time = scanner.ScanTime();
  }
  scanner.SkipBlanks();
  if ((!date && !time) || !scanner.AtEnd()) FailConversion(InvalidDateTime, text);
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

}  // namespace kavu32

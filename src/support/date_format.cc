#include "support/date_format.h"

#include <algorithm>
#include <charconv>

#include "support/pattern_text.h"

namespace kavu32 {

namespace {

// The length of the am/pm designator token at text[at], or 0.
size_t DesignatorLength(std::string_view text, size_t at) {
  if (AsciiLower(text[at]) != 'a') return 0;
  for (std::string_view token : {"am/pm", "a/p", "ampm"}) {
    if (StartsWithNoCase(text, at, token)) return token.size();
  }
  return 0;
}

bool UsesDesignator(std::string_view pattern) {
  // Every designator begins with an a.
  if (pattern.find_first_of("aA") == std::string_view::npos) return false;
  for (size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (IsQuote(c)) {
      i = QuotedLiteral(pattern, i).End;
    } else if (DesignatorLength(pattern, i) > 0) {
      return true;
    } else {
      ++i;
    }
  }
  return false;
}

// Formats one value; the short and long date formats are expanded one level
// deep only, so that a format naming itself cannot recurse.
class DateFormatter {
 public:
  DateFormatter(TDateTime value, const RegionalSettings& settings)
      : settings_(settings),
        date_(DecodeDate(value)),
        time_(DecodeTime(value)),
        day_of_week_(DayOfWeek(value)) {}

  void Append(std::string_view pattern, bool expandDateFormats) {
    const bool twelveHour = UsesDesignator(pattern);
    bool afterHour = false;
    for (size_t i = 0; i < pattern.size();) {
      const char c = pattern[i];
      if (IsQuote(c)) {
        const QuotedText literal = QuotedLiteral(pattern, i);
        out_ += literal.Text;
        i = literal.End;
        continue;
      }
      if (const size_t length = DesignatorLength(pattern, i)) {
        AppendDesignator(pattern.substr(i, length));
        afterHour = false;
        i += length;
        continue;
      }
      const char letter = AsciiLower(c);
      const char run[] = {letter, AsciiUpper(letter)};
      const size_t count = std::min(pattern.find_first_not_of(std::string_view(run, 2), i), pattern.size()) - i;
      if (letter == 'd' || letter == 'm' || letter == 'y' || letter == 'h' || letter == 'n' ||
          letter == 's') {
        AppendField(letter, count, afterHour, twelveHour, expandDateFormats);
        afterHour = letter == 'h';
        i += count;
        continue;
      }
      if (c == '/') {
        out_ += settings_.DateSeparator;
      } else if (c == ':') {
        out_ += settings_.TimeSeparator;
      } else {
        out_ += c;
      }
      ++i;
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  void AppendField(char letter, size_t count, bool afterHour, bool twelveHour, bool expandDateFormats) {
    const size_t timeDigits = count < 2 ? 1 : 2;
    switch (letter) {
      case 'd':
        AppendDay(count, expandDateFormats);
        break;
      case 'm':
        if (afterHour && count <= 2) {
          AppendNumber(time_.Minute, timeDigits);
        } else if (count <= 2) {
          AppendNumber(date_.Month, count);
        } else {
          out_ += (count == 3 ? settings_.ShortMonthNames : settings_.LongMonthNames)[date_.Month - 1];
        }
        break;
      case 'y':
        if (count <= 2) {
          AppendNumber(date_.Year % 100, 2);
        } else {
          AppendNumber(date_.Year, 4);
        }
        break;
      case 'h':
        AppendNumber(twelveHour ? (time_.Hour + 11) % 12 + 1 : time_.Hour, timeDigits);
        break;
      case 'n':
        AppendNumber(time_.Minute, timeDigits);
        break;
      default:
        AppendNumber(time_.Second, timeDigits);
        break;
    }
  }

  void AppendDay(size_t count, bool expandDateFormats) {
    if (count <= 2) {
      AppendNumber(date_.Day, count);
    } else if (count <= 4) {
      out_ += (count == 3 ? settings_.ShortDayNames : settings_.LongDayNames)[day_of_week_ - 1];
    } else if (expandDateFormats) {
      Append(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, false);
    }
  }

  // am/pm and a/p keep the letters as written; ampm uses the settings.
  void AppendDesignator(std::string_view token) {
    const bool morning = time_.Hour < 12;
    if (token.size() == 4) {
      out_ += morning ? settings_.TimeAMString : settings_.TimePMString;
    } else if (token.size() == 5) {
      out_.append(token.substr(morning ? 0 : 3, 2));
    } else {
      out_ += token[morning ? 0 : 2];
    }
  }

  // Digits of value, at least minDigits of them (padded with leading 0s).
  void AppendNumber(int value, size_t minDigits) {
    char digits[12];
    const auto written = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    out_.append(minDigits - std::min(minDigits, written), '0');
    out_.append(digits, written);
  }

  const RegionalSettings& settings_;
  const DateParts date_;
  const TimeParts time_;
  const int day_of_week_;
  std::string out_;
};

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value, const RegionalSettings& settings) {
  DateFormatter formatter(value, settings);
  formatter.Append(pattern, true);
  return formatter.Take();
}

}  // namespace kavu32

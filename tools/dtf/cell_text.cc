#include "cell_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/field.h"
#include "support/date_time.h"

namespace kavu32::dtf {

namespace {

constexpr std::array<std::string_view, 8> TypeNames = {"bool",     "int",  "float", "string",
                                                       "datetime", "blob", "memo",  "graphic"};
constexpr char HexDigits[] = "0123456789abcdef";

// The text as it goes into a message: quoted, cut when long.
std::string Quoted(std::string_view text) {
  constexpr size_t shown = 40;
  return "'" + std::string(text.substr(0, shown)) + (text.size() > shown ? "...'" : "'");
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void RequireValue(std::string_view text, const char* kind) {
  if (text.empty()) throw CellError(0, std::string("empty cell: ") + kind + " needs a value");
}

// from_chars over the whole text (a leading plus allowed); false when it
// does not read all of it.
template <typename T>
bool ReadWhole(std::string_view text, T& value, std::errc& error) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  error = ec;
  return ec == std::errc() && end == text.data() + text.size();
}

struct NumberTexts {
  const char* Field;
  const char* NotANumber;
  const char* OutOfRange;
};

template <typename T>
T ParseNumber(std::string_view text, const NumberTexts& texts) {
  RequireValue(text, texts.Field);
  T value = 0;
  std::errc error;
  if (!ReadWhole(text, value, error)) {
    throw CellError(
        0, Quoted(text) + (error == std::errc::result_out_of_range ? texts.OutOfRange : texts.NotANumber));
  }
  return value;
}

struct CalendarText {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool HasTime = false;
};

// Digits at text[pos..pos+count), advancing pos.
bool ReadDigits(std::string_view text, size_t& pos, size_t count, int& value) {
  if (pos + count > text.size()) return false;
  value = 0;
  for (size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  pos += count;
  return true;
}

bool ReadSeparator(std::string_view text, size_t& pos, char separator) {
  if (pos >= text.size() || text[pos] != separator) return false;
  ++pos;
  return true;
}

// YYYY-MM-DD, optionally followed by " HH:MM:SS".
std::optional<CalendarText> ReadCalendarText(std::string_view text) {
  CalendarText out;
  size_t pos = 0;
  if (!ReadDigits(text, pos, 4, out.Year) || !ReadSeparator(text, pos, '-') ||
      !ReadDigits(text, pos, 2, out.Month) || !ReadSeparator(text, pos, '-') ||
      !ReadDigits(text, pos, 2, out.Day)) {
    return std::nullopt;
  }
  if (pos == text.size()) return out;
  out.HasTime = true;
  if (!ReadSeparator(text, pos, ' ') || !ReadDigits(text, pos, 2, out.Hour) ||
      !ReadSeparator(text, pos, ':') || !ReadDigits(text, pos, 2, out.Minute) ||
      !ReadSeparator(text, pos, ':') || !ReadDigits(text, pos, 2, out.Second) || pos != text.size()) {
    return std::nullopt;
  }
  return out;
}

std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string CalendarForm(double value) {
  const DateParts date = DecodeDate(value);
  const TimeParts time = DecodeTime(value);
  std::string text = std::to_string(date.Year);
  text.insert(0, 4 - std::min<size_t>(4, text.size()), '0');
  text += "-" + TwoDigits(date.Month) + "-" + TwoDigits(date.Day);
  if (time.Hour != 0 || time.Minute != 0 || time.Second != 0 || time.Millisecond != 0) {
    text += " " + TwoDigits(time.Hour) + ":" + TwoDigits(time.Minute) + ":" + TwoDigits(time.Second);
  }
  return text;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

std::optional<uint8_t> TypeCodeOfName(std::string_view name) {
  for (size_t code = 0; code < TypeNames.size(); ++code) {
    if (TypeNames[code] == name) return static_cast<uint8_t>(code);
  }
  return std::nullopt;
}

std::string_view TypeName(uint8_t typeCode) {
  return typeCode < TypeNames.size() ? TypeNames[typeCode] : std::string_view("?");
}

std::string EscapeText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        text += "\\\\";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\t':
        text += "\\t";
        break;
      case '\r':
        text += "\\r";
        break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          text += {'\\', 'x', HexDigits[byte >> 4], HexDigits[byte & 15]};
        } else {
          text += c;
        }
    }
  }
  return text;
}

std::string UnescapeText(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (i + 1 == text.size()) throw CellError(i, "a backslash ends the cell (write \\\\ for one)");
    switch (text[++i]) {
      case '\\':
        bytes += '\\';
        break;
      case 'n':
        bytes += '\n';
        break;
      case 't':
        bytes += '\t';
        break;
      case 'r':
        bytes += '\r';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) throw CellError(i - 1, "\\x needs two hex digits");
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw CellError(i - 1,
                        "unknown escape \\" + std::string(1, text[i]) + " (use \\n \\t \\r \\\\ or \\xHH)");
    }
  }
  return bytes;
}

uint8_t ParseBooleanCell(std::string_view text) {
  RequireValue(text, "a bool field");
  if (text == "true") return 1;
  if (text == "false") return 0;
  unsigned value = 0;
  std::errc error;
  if (!ReadWhole(text, value, error) || value > 255) {
    throw CellError(0, Quoted(text) + " is not true, false or a byte 0 to 255");
  }
  return static_cast<uint8_t>(value);
}

std::string FormatBooleanCell(uint8_t stored) {
  if (stored <= 1) return stored ? "true" : "false";
  return std::to_string(stored);
}

int32_t ParseIntegerCell(std::string_view text) {
  return ParseNumber<int32_t>(
      text, {"an int field", " is not an integer", " lies outside the 32-bit integer range"});
}

double ParseFloatCell(std::string_view text) {
  return ParseNumber<double>(text,
                             {"a float field", " is not a number", " lies outside the range of a double"});
}

std::string FormatFloatCell(double value) {
  if (std::isnan(value)) return "nan";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

double ParseDateTimeCell(std::string_view text) {
  RequireValue(text, "a datetime field");
  const std::optional<CalendarText> calendar = ReadCalendarText(text);
  if (!calendar) {
    double days = 0;
    std::errc error;
    if (ReadWhole(text, days, error)) return days;
    throw CellError(0, Quoted(text) + " is not YYYY-MM-DD, YYYY-MM-DD HH:MM:SS or a day count");
  }
  try {
    const double day = EncodeDate(calendar->Year, calendar->Month, calendar->Day);
    const double time = EncodeTime(calendar->Hour, calendar->Minute, calendar->Second, 0);
    return CombineDateTime(day, time);
  } catch (const std::exception&) {
    throw CellError(0, Quoted(text) + " is not a valid date and time");
  }
}

std::string FormatDateTimeCell(double value) {
  try {
    std::string calendar = CalendarForm(value);
    if (SameBits(ParseDateTimeCell(calendar), value)) return calendar;
  } catch (const std::exception&) {
    // No calendar form: outside years 1 to 9999, or not a number.
  }
  return FormatFloatCell(value);
}

std::string ParseHexBytes(std::string_view text) {
  std::string bytes;
  const std::string_view digits = text.substr(HexPrefix.size());
  if (digits.size() % 2 != 0) throw CellError(text.size() - 1, "hex bytes need an even number of digits");
  bytes.reserve(digits.size() / 2);
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexValue(digits[i]);
    const int low = HexValue(digits[i + 1]);
    if (high < 0 || low < 0) throw CellError(HexPrefix.size() + i, "not a hex digit");
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

std::string FormatHexBytes(std::string_view bytes) {
  std::string text(HexPrefix);
  text.reserve(text.size() + 2 * bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += HexDigits[byte >> 4];
    text += HexDigits[byte & 15];
  }
  return text;
}

}  // namespace kavu32::dtf

// The text forms of values: each reads back exactly what was written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "cell_text.h"
#include "support/date_time.h"

namespace kavu32::dtf {
namespace {

TEST(CellText, EveryByteSurvivesEscaping) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const std::string escaped = EscapeText(bytes);
  EXPECT_EQ(escaped.find_first_of("\t\n\r"), std::string::npos);
  EXPECT_EQ(UnescapeText(escaped), bytes);
  EXPECT_EQ(EscapeText("a\\b\tc\nd\re\x7f"), "a\\\\b\\tc\\nd\\re\\x7f");
}

TEST(CellText, BadEscapesNameTheirOffset) {
  const auto offsetOf = [](std::string_view text) {
    try {
      UnescapeText(text);
    } catch (const CellError& error) {
      return static_cast<int>(error.Offset);
    }
    return -1;
  };
  EXPECT_EQ(offsetOf("ab\\q"), 2);
  EXPECT_EQ(offsetOf("\\x4"), 0);
  EXPECT_EQ(offsetOf("abc\\"), 3);
  EXPECT_EQ(offsetOf("\\x4g"), 0);
}

TEST(CellText, FloatsReadBackToTheSameBits) {
  for (double value : {0.1, -0.0, 1e-300, 5e-324, 1.7976931348623157e308, 123456789.125, -2.5,
                       std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
    const double back = ParseFloatCell(FormatFloatCell(value));
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << FormatFloatCell(value);
  }
  EXPECT_TRUE(std::isnan(ParseFloatCell(FormatFloatCell(std::nan("")))));
  EXPECT_EQ(ParseFloatCell("+1.5"), 1.5);
  EXPECT_THROW(ParseFloatCell("1,5"), CellError);
  EXPECT_THROW(ParseFloatCell(" 1"), CellError);
  EXPECT_THROW(ParseFloatCell("1e999"), CellError);
}

TEST(CellText, DateTimesUseTheCalendarFormWhenItIsExact) {
  const double day = EncodeDate(1992, 6, 19);
  EXPECT_EQ(FormatDateTimeCell(day), "1992-06-19");
  EXPECT_EQ(FormatDateTimeCell(day + 0.5), "1992-06-19 12:00:00");
  EXPECT_EQ(FormatDateTimeCell(EncodeDate(1, 1, 1)), "0001-01-01");
  EXPECT_EQ(ParseDateTimeCell("1850-03-01 06:00:00"), EncodeDate(1850, 3, 1) - 0.25);
  EXPECT_EQ(FormatDateTimeCell(EncodeDate(1850, 3, 1) - 0.25), "1850-03-01 06:00:00");
  for (double odd : {day + 1e-9, 1e12, -0.25, -0.0}) {
    const std::string text = FormatDateTimeCell(odd);
    const double back = ParseDateTimeCell(text);
    EXPECT_EQ(std::memcmp(&back, &odd, sizeof odd), 0) << text;
  }
  EXPECT_THROW(ParseDateTimeCell("1992-6-19"), CellError);
  EXPECT_THROW(ParseDateTimeCell("1992-06-19 24:00:00"), CellError);
}

TEST(CellText, BooleansIntegersAndHexBytes) {
  EXPECT_EQ(ParseBooleanCell("true"), 1);
  EXPECT_EQ(ParseBooleanCell("false"), 0);
  EXPECT_EQ(ParseBooleanCell("200"), 200);
  EXPECT_THROW(ParseBooleanCell("256"), CellError);
  EXPECT_THROW(ParseBooleanCell("TRUE"), CellError);
  EXPECT_EQ(FormatBooleanCell(200), "200");
  EXPECT_EQ(ParseIntegerCell("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ParseIntegerCell("+7"), 7);
  EXPECT_THROW(ParseIntegerCell("2147483648"), CellError);
  EXPECT_THROW(ParseIntegerCell("7 "), CellError);
  EXPECT_EQ(ParseHexBytes("0x00fFa0"), std::string("\x00\xff\xa0", 3));
  EXPECT_EQ(FormatHexBytes(std::string("\x00\xff", 2)), "0x00ff");
  EXPECT_THROW(ParseHexBytes("0xabc"), CellError);
  EXPECT_THROW(ParseHexBytes("0xzz"), CellError);
}

}  // namespace
}  // namespace kavu32::dtf

// Integer, number and date-time texts under explicit regional settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/date_time.h"
#include "support/number_text.h"
#include "testing/raised_message.h"

namespace {

using namespace kavu32;
using kavu32::testing::RaisedMessage;

const RegionalSettings English;
// The year whose century window two-digit years fall in.
constexpr int CurrentYear = 2026;

RegionalSettings CommaDecimals() {
  RegionalSettings settings;
  settings.DecimalSeparator = ',';
  return settings;
}

RegionalSettings DayMonthYear() {
  RegionalSettings settings;
  settings.ShortDateFormat = "dd.mm.yyyy";
  settings.DateSeparator = '.';
  return settings;
}

TEST(IntToStrTest, DigitsWithHyphenMinusForNegatives) {
  EXPECT_EQ(IntToStr(-17), "-17");
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(INT32_MIN), "-2147483648");
  EXPECT_EQ(IntToStr(1234567), "1234567");
}

TEST(FloatToStrTest, FixedNotationUpToFifteenDigitExponents) {
  EXPECT_EQ(FloatToStr(0, English), "0");
  EXPECT_EQ(FloatToStr(-0.0, English), "0");
  EXPECT_EQ(FloatToStr(2.5, English), "2.5");
  EXPECT_EQ(FloatToStr(-2.5, English), "-2.5");
  EXPECT_EQ(FloatToStr(100, English), "100");
  EXPECT_EQ(FloatToStr(0.001, English), "0.001");
  EXPECT_EQ(FloatToStr(0.0001, English), "0.0001");
  EXPECT_EQ(FloatToStr(-0.00012, English), "-0.00012");
  EXPECT_EQ(FloatToStr(123456789012345, English), "123456789012345");
  EXPECT_EQ(FloatToStr(999999999999999, English), "999999999999999");
  EXPECT_EQ(FloatToStr(0.1 + 0.2, English), "0.3");
  EXPECT_EQ(FloatToStr(1.0 / 3, English), "0.333333333333333");
  EXPECT_EQ(FloatToStr(2.0 / 3, English), "0.666666666666667");
  EXPECT_EQ(FloatToStr(12345.678, CommaDecimals()), "12345,678");
}

TEST(FloatToStrTest, ScientificNotationBeyondTheBoundaries) {
  EXPECT_EQ(FloatToStr(0.00001, English), "1E-5");
  EXPECT_EQ(FloatToStr(0.000015, English), "1.5E-5");
  EXPECT_EQ(FloatToStr(1e15, English), "1E15");
  EXPECT_EQ(FloatToStr(1234567890123456, English), "1.23456789012346E15");
  // Rounding to 15 digits carries into the next exponent.
  EXPECT_EQ(FloatToStr(999999999999999.9, English), "1E15");
  EXPECT_EQ(FloatToStr(-1e20, English), "-1E20");
  EXPECT_EQ(FloatToStr(1.5e-300, CommaDecimals()), "1,5E-300");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max(), English), "1.79769313486232E308");
}

TEST(FloatToStrTest, NonFiniteValues) {
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN(), English), "NAN");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity(), English), "INF");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity(), English), "-INF");
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
  EXPECT_EQ(RoundHalfEven(2147483647.4), INT32_MAX);
  EXPECT_EQ(RoundHalfEven(-2147483648.5), INT32_MIN);
}

TEST(RoundHalfEvenTest, ValuesOutsideInt32FailWithTheirText) {
  SetRegional(English);
  EXPECT_EQ(RaisedMessage([] { RoundHalfEven(2147483647.5); }),
            "'2147483647.5' is not a valid integer value");
  EXPECT_EQ(RaisedMessage([] { RoundHalfEven(-1e20); }), "'-1E20' is not a valid integer value");
  EXPECT_EQ(RaisedMessage([] { RoundHalfEven(std::nan("")); }), "'NAN' is not a valid integer value");
  // The text follows the settings in force.
  SetRegional(CommaDecimals());
  EXPECT_EQ(Regional().DecimalSeparator, ',');
  EXPECT_EQ(RaisedMessage([] { RoundHalfEven(-3e9 - 0.25); }),
            "'-3000000000,25' is not a valid integer value");
}

TEST(StrToIntTest, AcceptsSignedDecimalAndDollarHex) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("   -17"), -17);
  EXPECT_EQ(StrToInt("+8"), 8);
  EXPECT_EQ(StrToInt("$ff"), 255);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToIntTest, RejectsEverythingElseWithTheText) {
  for (const char* text : {"", "   ", "-", "+-1", "--1", "12 ", "1.5", "abc", "0x10", "$", "-$10", "$-1",
                           "2147483648", "-2147483649", "$80000000", "99999999999999999999", "1e3", "\t1"}) {
    EXPECT_EQ(RaisedMessage([&] { StrToInt(text); }),
              "'" + std::string(text) + "' is not a valid integer value");
  }
}

TEST(StrToFloatTest, AcceptsBlanksSignsFractionsAndExponents) {
  EXPECT_EQ(StrToFloat("2.5", English), 2.5);
  EXPECT_EQ(StrToFloat("  -0.125  ", English), -0.125);
  EXPECT_EQ(StrToFloat("+.5", English), 0.5);
  EXPECT_EQ(StrToFloat("7.", English), 7);
  EXPECT_EQ(StrToFloat("1E20", English), 1e20);
  EXPECT_EQ(StrToFloat("1.5e-5", English), 1.5e-5);
  EXPECT_EQ(StrToFloat("3e+2", English), 300);
  EXPECT_EQ(StrToFloat("3,25", CommaDecimals()), 3.25);
  EXPECT_EQ(StrToFloat("1e-400", English), 0);
  EXPECT_TRUE(std::signbit(StrToFloat("-0.0001e-999", English)));
  EXPECT_EQ(StrToFloat("0.00000000000000000001e-290", English), 1e-310);
}

TEST(StrToFloatTest, RejectsMalformedAndHugeNumbersWithTheText) {
  // The last is 1e400 written with a negative exponent.
  for (const std::string& text :
       std::initializer_list<std::string>{"abc", "", " ", ".", "-", "1e", "1e+", "1.2.3", "1 2", "1,5", "e5", "INF",
                                          "nan", "0x10", "1e400", "-1e99999999999999999999",
                                          "1" + std::string(600, '0') + "e-200"}) {
    EXPECT_EQ(RaisedMessage([&] { StrToFloat(text, English); }),
              "'" + text + "' is not a valid floating point value");
  }
  EXPECT_EQ(RaisedMessage([] { StrToFloat("1.5", CommaDecimals()); }),
            "'1.5' is not a valid floating point value");
}

TEST(FloatTextTest, FifteenDigitTextsReadBackExactly) {
  for (double value : {1.0 / 3, 123456.789, 1e-5, 6.02214076e23, -2.5e-300}) {
    const std::string text = FloatToStr(value, English);
    EXPECT_EQ(FloatToStr(StrToFloat(text, English), English), text);
  }
}

TEST(ExpandTwoDigitYearTest, WindowStartsFiftyYearsBack) {
  EXPECT_EQ(ExpandTwoDigitYear(92, 2026), 1992);
  EXPECT_EQ(ExpandTwoDigitYear(76, 2026), 1976);
  EXPECT_EQ(ExpandTwoDigitYear(75, 2026), 2075);
  EXPECT_EQ(ExpandTwoDigitYear(0, 2026), 2000);
  EXPECT_EQ(ExpandTwoDigitYear(50, 2000), 1950);
  EXPECT_EQ(ExpandTwoDigitYear(49, 2000), 2049);
}

TEST(StrToDateTimeTest, DatesFollowTheShortDateOrder) {
  EXPECT_EQ(StrToDateTime("6/19/1992", CurrentYear, English), 33774);
  EXPECT_EQ(StrToDateTime("  06/19/1992  ", CurrentYear, English), 33774);
  EXPECT_EQ(StrToDateTime("19.06.1992", CurrentYear, DayMonthYear()), 33774);
  RegionalSettings ymd;
  ymd.ShortDateFormat = "yyyy-mm-dd";
  ymd.DateSeparator = '-';
  EXPECT_EQ(StrToDateTime("1992-06-19", CurrentYear, ymd), 33774);
  EXPECT_EQ(StrToDateTime("1/1/0001", CurrentYear, English), -693593);
}

TEST(StrToDateTimeTest, TwoDigitYearsUseTheWindowOfTheCurrentYear) {
  const DateParts expanded = DecodeDate(StrToDateTime("6/19/92", CurrentYear, English));
  EXPECT_EQ(expanded.Year % 100, 92);
  EXPECT_EQ(DecodeDate(StrToDateTime("6/19/1", CurrentYear, English)).Year % 100, 1);
}

TEST(StrToDateTimeTest, TimesWithOrWithoutDesignators) {
  EXPECT_EQ(StrToDateTime("6/19/1992 12:00", CurrentYear, English), 33774.5);
  EXPECT_EQ(StrToDateTime("6/19/1992 6:00:00 pm", CurrentYear, English), 33774.75);
  EXPECT_EQ(StrToDateTime("18:00", CurrentYear, English), 0.75);
  EXPECT_EQ(StrToDateTime("12:00 AM", CurrentYear, English), 0);
  EXPECT_EQ(StrToDateTime("12:00PM", CurrentYear, English), 0.5);
  EXPECT_EQ(StrToDateTime("6:00 a", CurrentYear, English), 0.25);
  // The bounds of the 12-hour and the 24-hour clock.
  EXPECT_DOUBLE_EQ(StrToDateTime("1:00 pm", CurrentYear, English), 13.0 / 24);
  EXPECT_DOUBLE_EQ(StrToDateTime("23:59:59", CurrentYear, English), 86399.0 / 86400);
  RegionalSettings german = DayMonthYear();
  german.TimeAMString = "vorm.";
  german.TimePMString = "nachm.";
  EXPECT_EQ(StrToDateTime("19.06.1992 6:00 NACHM.", CurrentYear, german), 33774.75);
  // Before day 0 the time still counts forward from that day's midnight.
  EXPECT_EQ(StrToDateTime("12/29/1899 6:00", CurrentYear, English), -1.25);
}

TEST(StrToDateTimeTest, RejectsMalformedTextsWithTheText) {
  for (const char* text : {"",
                           "abc",
                           "2/29/1900",
                           "13/1/1992",
                           "6/19",
                           "6/19/1992/1",
                           "6/19/12345",
                           "6-19-1992",
                           "6/19/1992x",
                           "6/19/199212:00",
                           "25:00",
                           "12:60",
                           "12",
                           "12:",
                           "12:00:",
                           "12:00:60",
                           "13:00 pm",
                           "0:30 am",
                           "6/19/1992 12:00 xm",
                           "019/6/1992",
                           "1/1/000"}) {
    EXPECT_EQ(RaisedMessage([&] { StrToDateTime(text, CurrentYear, English); }),
              "'" + std::string(text) + "' is not a valid date and time");
  }
}

TEST(DateTimeToStrTest, DateAloneAtMidnightElseWithLongTime) {
  EXPECT_EQ(DateTimeToStr(33774, English), "6/19/92");
  EXPECT_EQ(DateTimeToStr(33774.75, English), "6/19/92 6:00:00 pm");
  RegionalSettings settings = DayMonthYear();
  settings.LongTimeFormat = "hh:mm:ss";
  EXPECT_EQ(DateTimeToStr(EncodeDate(2001, 2, 3) + EncodeTime(9, 5, 0, 0), settings), "03.02.2001 09:05:00");
  // Milliseconds alone do not count as a time of day.
  EXPECT_EQ(DateTimeToStr(33774 + EncodeTime(0, 0, 0, 400), English), "6/19/92");
}

TEST(DateTimeTextTest, FormattedDateTimesParseBack) {
  const RegionalSettings settings = DayMonthYear();
  for (TDateTime value : {33774.75, 0.0, -1.25, EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 0)}) {
    EXPECT_EQ(StrToDateTime(DateTimeToStr(value, settings), CurrentYear, settings), value);
  }
}

}  // namespace

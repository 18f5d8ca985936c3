// Day counts from 30 December 1899 and their calendar dates and times.
#include <gtest/gtest.h>

#include <limits>

#include "support/date_time.h"
#include "testing/raised_message.h"

namespace {

using namespace kavu32;
using kavu32::testing::RaisedMessage;

constexpr const char* EncodeMessage = "Invalid argument to date encode";

TEST(DateTimeTest, KnownDatesHaveTheirDayCounts) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(1992, 6, 19), 33774);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2);
}

TEST(DateTimeTest, OnlyValidDatesEncode) {
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_EQ(EncodeDate(2004, 2, 29), 38046);
  for (const DateParts& d :
       {DateParts{1900, 2, 29}, DateParts{2001, 2, 29}, DateParts{0, 1, 1}, DateParts{10000, 1, 1},
        DateParts{1992, 13, 1}, DateParts{1992, 0, 1}, DateParts{1992, 4, 31}, DateParts{1992, 6, 0}}) {
    EXPECT_EQ(RaisedMessage([&] { EncodeDate(d.Year, d.Month, d.Day); }), EncodeMessage)
        << d.Year << "-" << d.Month << "-" << d.Day;
  }
}

TEST(DateTimeTest, DecodingRoundTripsAcrossTheWholeRange) {
  for (int day = -693593; day <= 2958465; day += 97) {
    const DateParts d = DecodeDate(day);
    ASSERT_EQ(EncodeDate(d.Year, d.Month, d.Day), day);
  }
  const DateParts first = DecodeDate(-693593);
  EXPECT_EQ(first.Year, 1);
  EXPECT_EQ(first.Month, 1);
  EXPECT_EQ(first.Day, 1);
  const DateParts birthday = DecodeDate(33774.75);
  EXPECT_EQ(birthday.Year, 1992);
  EXPECT_EQ(birthday.Month, 6);
  EXPECT_EQ(birthday.Day, 19);
}

TEST(DateTimeTest, DecodingOutsideTheCalendarFails) {
  for (double value : {-693594.0, 2958466.0, 1e300, -1e300}) {
    EXPECT_EQ(RaisedMessage([&] { DecodeDate(value); }), EncodeMessage) << value;
    EXPECT_EQ(RaisedMessage([&] { DayOfWeek(value); }), EncodeMessage) << value;
  }
  EXPECT_EQ(RaisedMessage([] { DecodeDate(std::numeric_limits<double>::quiet_NaN()); }), EncodeMessage);
  EXPECT_EQ(RaisedMessage([] { DecodeTime(std::numeric_limits<double>::infinity()); }), EncodeMessage);
}

TEST(DateTimeTest, NegativeValuesCountTheFractionAsTimeOfThatDay) {
  const TDateTime value = CombineDateTime(-1, EncodeTime(6, 0, 0, 0));
  EXPECT_EQ(value, -1.25);
  const DateParts d = DecodeDate(value);
  EXPECT_EQ(d.Month, 12);
  EXPECT_EQ(d.Day, 29);
  EXPECT_EQ(DecodeTime(value).Hour, 6);
  EXPECT_EQ(DayOfWeek(value), 6);
  EXPECT_EQ(CombineDateTime(2, 0.5), 2.5);
  EXPECT_EQ(CombineDateTime(0, 0.25), 0.25);
}

TEST(DateTimeTest, TimesEncodeAndDecodeToTheMillisecond) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  const TimeParts t = DecodeTime(33774 + EncodeTime(23, 59, 58, 999));
  EXPECT_EQ(t.Hour, 23);
  EXPECT_EQ(t.Minute, 59);
  EXPECT_EQ(t.Second, 58);
  EXPECT_EQ(t.Millisecond, 999);
  // Just below midnight rounds to the last millisecond, not to 24:00.
  EXPECT_EQ(DecodeTime(0.9999999999).Hour, 23);
  for (const TimeParts& p : {TimeParts{24, 0, 0, 0}, TimeParts{0, 60, 0, 0}, TimeParts{0, 0, 60, 0},
                             TimeParts{0, 0, 0, 1000}, TimeParts{-1, 0, 0, 0}}) {
    EXPECT_EQ(RaisedMessage([&] { EncodeTime(p.Hour, p.Minute, p.Second, p.Millisecond); }), EncodeMessage);
  }
}

TEST(DateTimeTest, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                        // Saturday 30 December 1899
  EXPECT_EQ(DayOfWeek(EncodeDate(1992, 6, 19)), 6);  // a Friday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);      // a Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);   // a Sunday
}

TEST(DateTimeTest, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(1996));
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2000, 13), 0);
  EXPECT_FALSE(IsValidDate(2000, 0, 1));
}

}  // namespace

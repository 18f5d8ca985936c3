// FormatDateTime: every pattern letter under explicit regional settings.
#include <gtest/gtest.h>

#include <string>

#include "support/date_format.h"
#include "support/date_time.h"

namespace {

using namespace kavu32;

// 19 June 1992 (a Friday), 14:05:09.
const TDateTime kAfternoon = EncodeDate(1992, 6, 19) + EncodeTime(14, 5, 9, 0);
// 3 February 2001 (a Saturday), 0:07:03.
const TDateTime kEarly = EncodeDate(2001, 2, 3) + EncodeTime(0, 7, 3, 0);

std::string Formatted(const char* pattern, TDateTime value, const RegionalSettings& settings = {}) {
  return FormatDateTime(pattern, value, settings);
}

TEST(DateFormatTest, DayLetters) {
  EXPECT_EQ(Formatted("d dd ddd dddd", kEarly), "3 03 Sat Saturday");
  EXPECT_EQ(Formatted("D DD DDD DDDD", kAfternoon), "19 19 Fri Friday");
}

TEST(DateFormatTest, ShortAndLongDateFormatsExpand) {
  EXPECT_EQ(Formatted("dddddd", kAfternoon), "June 19, 1992");
  EXPECT_EQ(Formatted("ddddd", kAfternoon), "6/19/92");
  RegionalSettings settings;
  settings.ShortDateFormat = "dd.mm.yyyy ddddd";
  settings.DateSeparator = '-';
  // A format naming itself is expanded one level only.
  EXPECT_EQ(Formatted("ddddd", kEarly, settings), "03.02.2001 ");
  EXPECT_EQ(Formatted("m/d", kEarly, settings), "2-3");
}

TEST(DateFormatTest, MonthLettersAndMinutesAfterAnHour) {
  EXPECT_EQ(Formatted("m mm mmm mmmm", kEarly), "2 02 Feb February");
  EXPECT_EQ(Formatted("MMMM d", kAfternoon), "June 19");
  EXPECT_EQ(Formatted("h:m hh:mm", kEarly), "0:7 00:07");
  EXPECT_EQ(Formatted("h \"at\" mm", kEarly), "0 at 07");
  // Only the last token decides: a day in between makes m a month again.
  EXPECT_EQ(Formatted("h d m", kEarly), "0 3 2");
  EXPECT_EQ(Formatted("h mmm", kEarly), "0 Feb");
}

TEST(DateFormatTest, YearLetters) {
  EXPECT_EQ(Formatted("yy yyyy YYYY", kAfternoon), "92 1992 1992");
  EXPECT_EQ(Formatted("yy yyyy", EncodeDate(5, 1, 1)), "05 0005");
}

TEST(DateFormatTest, TimeLetters) {
  EXPECT_EQ(Formatted("h hh n nn s ss", kEarly), "0 00 7 07 3 03");
  EXPECT_EQ(Formatted("h:nn:ss", kAfternoon), "14:05:09");
}

TEST(DateFormatTest, DesignatorsSwitchToTwelveHours) {
  EXPECT_EQ(Formatted("h:nn am/pm", kAfternoon), "2:05 pm");
  EXPECT_EQ(Formatted("h:nn AM/PM", kEarly), "12:07 AM");
  EXPECT_EQ(Formatted("hh a/p", kAfternoon), "02 p");
  EXPECT_EQ(Formatted("hh A/P", kEarly), "12 A");
  RegionalSettings settings;
  settings.TimeAMString = "vorm.";
  settings.TimePMString = "nachm.";
  EXPECT_EQ(Formatted("h ampm", kAfternoon, settings), "2 nachm.");
  EXPECT_EQ(Formatted("h AMPM", kEarly, settings), "12 vorm.");
  EXPECT_EQ(Formatted("h:mm:ss AMPM", EncodeTime(12, 0, 0, 0)), "12:00:00 pm");
}

TEST(DateFormatTest, SeparatorsLiteralsAndOtherCharacters) {
  RegionalSettings settings;
  settings.DateSeparator = '.';
  settings.TimeSeparator = 'h';
  EXPECT_EQ(Formatted("d/m/yy h:nn", kEarly, settings), "3.2.01 0h07");
  EXPECT_EQ(Formatted("'d/m' \"yy\" x%z", kEarly), "d/m yy x%z");
  EXPECT_EQ(Formatted("a 'unclosed d", kEarly), "a unclosed d");
}

}  // namespace

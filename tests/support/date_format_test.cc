// FormatDateTime: every pattern letter under explicit regional settings.
#include <gtest/gtest.h>

#include <string>

#include "support/date_format.h"
#include "support/date_time.h"

namespace {

using namespace kavu32;

// 19 June 1992 (a Friday), 14:05:09.
const TDateTime Afternoon = EncodeDate(1992, 6, 19) + EncodeTime(14, 5, 9, 0);
// 3 February 2001 (a Saturday), 0:07:03.
const TDateTime Early = EncodeDate(2001, 2, 3) + EncodeTime(0, 7, 3, 0);

std::string Formatted(const char* pattern, TDateTime value, const RegionalSettings& settings = {}) {
  return FormatDateTime(pattern, value, settings);
}

TEST(DateFormatTest, DayLetters) {
  EXPECT_EQ(Formatted("d dd ddd dddd", Early), "3 03 Sat Saturday");
  EXPECT_EQ(Formatted("D DD DDD DDDD", Afternoon), "19 19 Fri Friday");
}

TEST(DateFormatTest, ShortAndLongDateFormatsExpand) {
  EXPECT_EQ(Formatted("dddddd", Afternoon), "June 19, 1992");
  EXPECT_EQ(Formatted("ddddd", Afternoon), "6/19/92");
  RegionalSettings settings;
  settings.ShortDateFormat = "dd.mm.yyyy ddddd";
  settings.DateSeparator = '-';
  // A format naming itself is expanded one level only.
  EXPECT_EQ(Formatted("ddddd", Early, settings), "03.02.2001 ");
  EXPECT_EQ(Formatted("m/d", Early, settings), "2-3");
}

TEST(DateFormatTest, MonthLettersAndMinutesAfterAnHour) {
  EXPECT_EQ(Formatted("m mm mmm mmmm", Early), "2 02 Feb February");
  EXPECT_EQ(Formatted("MMMM d", Afternoon), "June 19");
  EXPECT_EQ(Formatted("h:m hh:mm", Early), "0:7 00:07");
  EXPECT_EQ(Formatted("h \"at\" mm", Early), "0 at 07");
  // Only the last token decides: a day in between makes m a month again.
  EXPECT_EQ(Formatted("h d m", Early), "0 3 2");
  EXPECT_EQ(Formatted("h mmm", Early), "0 Feb");
}

TEST(DateFormatTest, YearLetters) {
  EXPECT_EQ(Formatted("yy yyyy YYYY", Afternoon), "92 1992 1992");
  EXPECT_EQ(Formatted("yy yyyy", EncodeDate(5, 1, 1)), "05 0005");
}

TEST(DateFormatTest, TimeLetters) {
  EXPECT_EQ(Formatted("h hh n nn s ss", Early), "0 00 7 07 3 03");
  EXPECT_EQ(Formatted("h:nn:ss", Afternoon), "14:05:09");
}

TEST(DateFormatTest, DesignatorsSwitchToTwelveHours) {
  EXPECT_EQ(Formatted("h:nn am/pm", Afternoon), "2:05 pm");
  EXPECT_EQ(Formatted("h:nn AM/PM", Early), "12:07 AM");
  EXPECT_EQ(Formatted("hh a/p", Afternoon), "02 p");
  EXPECT_EQ(Formatted("hh A/P", Early), "12 A");
  // Some locales put the designator first.
  EXPECT_EQ(Formatted("am/pm h:nn", Afternoon), "pm 2:05");
  RegionalSettings settings;
  settings.TimeAMString = "vorm.";
  settings.TimePMString = "nachm.";
  EXPECT_EQ(Formatted("h ampm", Afternoon, settings), "2 nachm.");
  EXPECT_EQ(Formatted("h AMPM", Early, settings), "12 vorm.");
  EXPECT_EQ(Formatted("h:mm:ss AMPM", EncodeTime(12, 0, 0, 0)), "12:00:00 pm");
}

TEST(DateFormatTest, SeparatorsLiteralsAndOtherCharacters) {
  RegionalSettings settings;
  settings.DateSeparator = '.';
  settings.TimeSeparator = 'h';
  EXPECT_EQ(Formatted("d/m/yy h:nn", Early, settings), "3.2.01 0h07");
  EXPECT_EQ(Formatted("'d/m' \"yy\" x%z", Early), "d/m yy x%z");
  EXPECT_EQ(Formatted("a 'unclosed d", Early), "a unclosed d");
}

}  // namespace

// Types 1 to 5: the age sentence against an injected clock, the news and
// zodiac memos, the celebrities of the day and the Chinese-year text.
#include "engine/field.h"
#include "platform/system_calls.h"
#include "retrieval_session.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

platform::LocalDate FirstOf2000() { return {2000, 1, 1}; }

class BirthdayArticlesTest : public LoadedRetrievalTest {
 protected:
  void SetUp() override {
    LoadedRetrievalTest::SetUp();
    ASSERT_TRUE(platform::SetSystemCall("today", &FirstOf2000));
  }
  void TearDown() override {
    platform::ResetSystemCalls();
    LoadedRetrievalTest::TearDown();
  }
};

TEST_F(BirthdayArticlesTest, AgeSentenceCountsCalendarYearsAndWholeDays) {
  SetDate(1965, 12, 31);
  EXPECT_EQ(Data(1),
            "Born December 31, 1965. As of January 1, 2000 you are 35 years old and have lived "
            "12419 days");
  SetDate(2000, 1, 1);
  EXPECT_EQ(Data(1), "Born January 1, 2000. As of January 1, 2000 you are 0 years old and have lived 0 days");
  SetDate(2001, 3, 1);
  EXPECT_EQ(Data(1),
            "Born March 1, 2001. As of January 1, 2000 you are -1 years old and have lived -425 days");
}

// A clock that passes midnight between the size query and the copy.
int clockReads = 0;
platform::LocalDate MidnightAfterFirstRead() { return {2000, 1, clockReads++ == 0 ? 1 : 2}; }

TEST_F(BirthdayArticlesTest, TheCopyAfterMidnightCountsTheNewDay) {
  SetDate(1965, 12, 31);
  clockReads = 0;
  ASSERT_TRUE(platform::SetSystemCall("today", &MidnightAfterFirstRead));
  ASSERT_EQ(GetData(1, nullptr), 93);
  char buffer[128] = {};
  EXPECT_EQ(GetData(1, buffer), 93);
  EXPECT_STREQ(buffer,
               "Born December 31, 1965. As of January 2, 2000 you are 35 years old and have lived "
               "12420 days");
}

platform::LocalDate NoClock() { return {}; }

TEST_F(BirthdayArticlesTest, AClockWithoutADateIsAnUnknownError) {
  ASSERT_TRUE(platform::SetSystemCall("today", &NoClock));
  SetDate(1965, 12, 31);
  ExpectFailure(1, -10);
  EXPECT_EQ(ErrorText(), "Unknown error");
}

TEST_F(BirthdayArticlesTest, NewsMemoComesBackByteForByte) {
  SetDate(1969, 7, 20);
  EXPECT_EQ(Data(2), "Moon landing\nWoodstock");
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(2), "Barcelona Olympics\r\nEuro Disney");
  SetDate(2000, 2, 29);
  EXPECT_EQ(GetData(2, nullptr), 15);
  EXPECT_EQ(Data(2), "Y2K\0after zero"s);
  SetDate(1965, 12, 31);
  ExpectFailure(2, -1);
}

TEST_F(BirthdayArticlesTest, CelebritiesAreFiveLinesAndThePersonsOwn) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(3), "June One\nJune Two\nJune Three\nJune Four\nJune Five\nAnn Lee - 1992");
  SetDate(1970, 1, 1, "");
  EXPECT_EQ(Data(3), "Ann New\nBob New\nCy New\n\n\n - 1970");
  // An empty first line is a line too.
  SetDate(1970, 1, 3, "");
  EXPECT_EQ(Data(3), "\nJan Three\n\n\n\n - 1970");
  SetDate(1970, 1, 2);
  ExpectFailure(3, -1);
}

TEST_F(BirthdayArticlesTest, ZodiacMemoOfTheSign) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(4), "Gemini memo\r\nline two");
  SetDate(1992, 12, 31);
  EXPECT_EQ(Data(4), "Capricorn memo\r\nline two");
}

TEST_F(BirthdayArticlesTest, ChineseYearTextWrapsRoundForTheFirstYears) {
  const std::pair<uint16_t, const char*> cases[] = {
      {1900, "Rat"},  {1992, "Monkey"}, {2000, "Dragon"}, {1965, "Snake"},
      {1, "Rooster"}, {2, "Dog"},       {3, "Pig"},       {4, "Rat"},
  };
  for (const auto& [year, sign] : cases) {
    SetDate(year, 2, 1);
    EXPECT_EQ(Data(5), "Year of the "s + sign) << year;
  }
}

TEST_F(BirthdayArticlesTest, AYearWithoutRecordOrSignWithoutRecordAnswersNoData) {
  TableImageBuilder zodiac("Zodiac");
  zodiac.Field("SIGN", IntegerType, 1).Field("NAME", StringType).Field("TEXT", MemoType);
  zodiac.Record({int32_t{6}, "Leo"s, "Leo memo"s}).Record({int32_t{8}, "Libra"s, "Libra memo"s});
  folder_.WriteTable("Zodiac.dtf", zodiac);
  ASSERT_EQ(Load(), StandardListSize);
  SetDate(1992, 8, 23);  // sign 7
  ExpectFailure(4, -1);
  EXPECT_EQ(ErrorText(), "Database contains no data to provide on request");
  SetDate(1992, 8, 22);
  EXPECT_EQ(Data(4), "Leo memo");
}

TEST_F(BirthdayArticlesTest, AFieldThatCannotBeReadNamesTheStep) {
  // The news field a string, the celebrities' field 5 a boolean.
  TableImageBuilder event("Event");
  event.Field("YEAR", IntegerType, 1).Field("NEWS", StringType);
  event.Record({int32_t{1992}, "not a memo"s});
  folder_.WriteTable("Event.dtf", event);
  TableImageBuilder birthday("Birthday");
  birthday.Field("DAY", IntegerType, 1);
  for (const char* name : {"NAME1", "NAME2", "NAME3", "NAME4"}) birthday.Field(name, StringType);
  birthday.Field("FLAG", BooleanType);
  birthday.Record({int32_t{619}, "a"s, "b"s, "c"s, "d"s, true});
  folder_.WriteTable("Birthday.dtf", birthday);
  ASSERT_EQ(Load(), StandardListSize);
  SetDate(1992, 6, 19);
  ExpectFailure(2, -4);
  EXPECT_EQ(ErrorText(), "Error while retrieving memo");
  ExpectFailure(3, -2);
}

}  // namespace
}  // namespace kavu32::testing

// Types 8 to 16: headings from the date and the name, and the zodiac,
// Chinese-year and birthstone titles.
#include "engine/field.h"
#include "retrieval_session.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

using HeadingsTest = LoadedRetrievalTest;

TEST_F(HeadingsTest, DateAndNameHeadings) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(8), "June 19, 1992");
  EXPECT_EQ(Data(9), "A LOOK AT THE WORLD WHEN ANN LEE WAS BORN");
  EXPECT_EQ(Data(10), "In The News In 1992");
  EXPECT_EQ(Data(11), "Celebrities born on June 19");
  EXPECT_EQ(Data(15), "Entertainment in 1992");
  EXPECT_EQ(Data(16), "Sport champions in 1992");
  SetDate(5, 3, 1);
  EXPECT_EQ(Data(10), "In The News In 0005");
  EXPECT_EQ(Data(11), "Celebrities born on March 1");
}

TEST_F(HeadingsTest, OnlyTheLettersAToZAreRaised) {
  SetDate(1992, 6, 19, "zo\xEB o'brien-9");
  EXPECT_EQ(Data(9), "A LOOK AT THE WORLD WHEN ZO\xEB O'BRIEN-9 WAS BORN");
  SetDate(1992, 6, 19, "");
  EXPECT_EQ(Data(9), "A LOOK AT THE WORLD WHEN  WAS BORN");
  SetDate(1992, 6, 19, nullptr);
  EXPECT_EQ(Data(9), "A LOOK AT THE WORLD WHEN  WAS BORN");
}

TEST_F(HeadingsTest, TitlesOfTheSignsAndTheStone) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(12), "Gemini");
  EXPECT_EQ(Data(13), "Monkey");
  EXPECT_EQ(Data(14), "Pearl");
  SetDate(3, 12, 1);
  EXPECT_EQ(Data(13), "Pig");
  EXPECT_EQ(Data(14), "Turquoise");
}

TEST_F(HeadingsTest, ZodiacBoundaries) {
  struct Case {
    uint16_t Year, Month, Day;
    const char* Sign;
  };
  const Case cases[] = {
      {1992, 1, 1, "Capricorn"},   {1992, 1, 19, "Capricorn"},  {1992, 1, 20, "Aquarius"},
      {1992, 2, 18, "Aquarius"},   {1992, 2, 19, "Pisces"},     {2000, 2, 29, "Pisces"},
      {1992, 6, 20, "Gemini"},     {1992, 6, 21, "Cancer"},     {1992, 12, 21, "Sagittarius"},
      {1992, 12, 22, "Capricorn"}, {1992, 12, 31, "Capricorn"},
  };
  for (const Case& c : cases) {
    SetDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(Data(12), c.Sign) << c.Month << "/" << c.Day;
  }
}

TEST_F(HeadingsTest, ATitleFieldWithoutTextFormEndsWithTheStringPreset) {
  TableImageBuilder stone("Stone");
  stone.Field("MONTH", IntegerType, 1).Field("STONE", BooleanType);
  stone.Record({int32_t{6}, true});
  folder_.WriteTable("Stone.dtf", stone);
  ASSERT_EQ(Load(), StandardListSize);
  SetDate(1992, 6, 19);
  ExpectFailure(14, -2);
  SetDate(1992, 7, 19);
  ExpectFailure(14, -1);
}

}  // namespace
}  // namespace kavu32::testing

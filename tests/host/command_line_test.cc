#include "command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavu32::kavu {
namespace {

CommandLine Parse(std::vector<const char*> words) {
  words.insert(words.begin(), "kavu");
  return ParseCommandLine(static_cast<int>(words.size()), words.data());
}

TEST(CommandLine, OptionsStandAnywhereInEitherForm) {
  const CommandLine line = Parse({"report", "1992-06-19", "--data", "/d", "--html", "Ann Lee",
                                  "--graphics=/g", "--data2=/e", "--output", "page.Html"});
  EXPECT_EQ(line.Command, "report");
  EXPECT_EQ(line.Arguments, (std::vector<std::string>{"1992-06-19", "Ann Lee"}));
  EXPECT_EQ(line.DataFolder, "/d");
  EXPECT_EQ(line.SecondDataFolder, "/e");
  EXPECT_EQ(line.GraphicsFolder, "/g");
  EXPECT_EQ(line.OutputFile, "page.Html");
  EXPECT_TRUE(line.Html);
  EXPECT_FALSE(line.Help);
  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"report", "--help"}).Help);
}

TEST(CommandLine, RefusesWhatItCannotRun) {
  EXPECT_THROW(Parse({}), UsageError);
  EXPECT_THROW(Parse({"report", "--data"}), UsageError);
  EXPECT_THROW(Parse({"report", "--output"}), UsageError);
  EXPECT_THROW(Parse({"report", "--datafolder=/d"}), UsageError);
  // A lone "-" and "--" are arguments, not options.
  EXPECT_EQ(Parse({"get", "-", "--"}).Arguments, (std::vector<std::string>{"-", "--"}));
}

TEST(BirthDate, ReadsYearMonthAndDay) {
  const auto date = ParseBirthDate("1992-06-19");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->Year, 1992);
  EXPECT_EQ(date->Month, 6);
  EXPECT_EQ(date->Day, 19);
  EXPECT_EQ(ParseBirthDate("1-01-02")->Year, 1);
}

TEST(BirthDate, ChecksTheFormOnly) {
  // The library judges whether the day exists.
  EXPECT_TRUE(ParseBirthDate("1900-02-29"));
  EXPECT_TRUE(ParseBirthDate("1992-13-40"));
  for (const char* text : {"", "1992", "1992-6-19", "1992-06-9", "19920-06-19", "1992-06-19x", "1992/06/19",
                           "-992-06-19", "1992--6-19", "1992-06-+9", "99999-01-01"}) {
    EXPECT_FALSE(ParseBirthDate(text)) << text;
  }
}

TEST(DataType, TakesNegativeNumbersAndNothingElse) {
  EXPECT_EQ(ParseDataType("20"), 20);
  EXPECT_EQ(ParseDataType("-3"), -3);
  EXPECT_FALSE(ParseDataType("x"));
  EXPECT_FALSE(ParseDataType("7a"));
  EXPECT_FALSE(ParseDataType(""));
  EXPECT_FALSE(ParseDataType("99999999999"));
}

}  // namespace
}  // namespace kavu32::kavu

// Replacing a table file while the library serves it. A file renamed over
// the old one leaves the old file's pages mapped, so the old bytes are
// served until the next GetCategories reopens the tables. A file
// truncated in place takes the mapped pages with it.
#include <csignal>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/field.h"
#include "kavu32.h"
#include "sanitizer_build.h"
#include "served_folder.h"
#include "testing/fixture_folder.h"

namespace kavu32::testing {
namespace {

constexpr const char* OldNews = "Barcelona Olympics\r\nEuro Disney";
constexpr int32_t NewsArticle = 2;

TableImageBuilder ReplacedEventTable() {
  TableImageBuilder table("Event");
  table.Field("YEAR", IntegerType, 1).Field("NEWS", MemoType);
  table.Record({1992, std::string("Replaced news of 1992")});
  return table;
}

class DataUpdateTest : public ServedSessionTest {
 protected:
  void SetUp() override {
    ServedSessionTest::SetUp();
    ASSERT_EQ(RequestedData(NewsArticle), OldNews);
  }

  std::string EventPath() const { return folder_.Path() + "Event.dtf"; }
};

TEST_F(DataUpdateTest, ARenamedReplacementIsServedFromTheNextGetCategories) {
  folder_.Files().WriteTable("Event.dtf.new", ReplacedEventTable());
  std::filesystem::rename(EventPath() + ".new", EventPath());

  EXPECT_EQ(RequestedData(NewsArticle), OldNews);
  ASSERT_EQ(GetCategories(nullptr), ServedFolder::CategoriesSize);
  EXPECT_EQ(RequestedData(NewsArticle), "Replaced news of 1992");
}

TEST_F(DataUpdateTest, ADeletedFileIsServedUntilTheNextGetCategories) {
  folder_.Files().Remove("Event.dtf");

  EXPECT_EQ(RequestedData(NewsArticle), OldNews);
  EXPECT_EQ(GetCategories(nullptr), -8);
  EXPECT_LT(GetData(NewsArticle, nullptr), 0);
}

// The reader of the mapping dies of SIGBUS (the address sanitizer reports
// it and exits): the reason data is replaced by rename only.
TEST_F(DataUpdateTest, ATableTruncatedInPlaceKillsItsReader) {
  const auto readTruncatedTable = [this] {
    std::filesystem::resize_file(EventPath(), 0);
    // After SetDateAndName the news is read from the table again, not
    // served from the answer kept since SetUp.
    SetDateAndName(MakeDate(1992, 6, 19), "Ada");
    GetData(NewsArticle, nullptr);
  };
#ifdef KAVU32_UNDER_ADDRESS_SANITIZER
  EXPECT_DEATH(readTruncatedTable(), "BUS");
#else
  EXPECT_EXIT(readTruncatedTable(), ::testing::KilledBySignal(SIGBUS), "");
#endif
}

}  // namespace
}  // namespace kavu32::testing

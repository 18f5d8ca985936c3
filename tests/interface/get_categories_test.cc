#include <sys/mman.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/field.h"
#include "engine/table.h"
#include "interface/library_state.h"
#include "kavu32.h"
#include "platform/platform.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "testing/fixture_folder.h"
#include "testing/guarded_pages.h"
#include "testing/library_session.h"
#include "testing/shown_messages.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

constexpr int32_t Record = sizeof(CategoryRecord);

// The data types each standard table adds, in order.
const std::map<std::string, std::vector<int32_t>> StandardTypes = {
    {"Event.dtf", {2}},   {"Birthday.dtf", {3}}, {"Zodiac.dtf", {4, 12, 17}}, {"Chinese.dtf", {5, 13, 18}},
    {"Literat.dtf", {6}}, {"Movies.dtf", {}},    {"Sport.dtf", {7}},          {"Stone.dtf", {14}}};

TableImageBuilder CalendarTable() {
  TableImageBuilder table("Calendar");
  table.Field("YEAR", IntegerType, true).Field("EVENT1", StringType).Field("EVENT2", MemoType);
  table.Record({1992, "one"s, "two"s});
  return table;
}

class GetCategoriesTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.WriteStandardTables(); }
  FixtureFolder folder_;
};

TEST_F(GetCategoriesTest, ListsThePermanentItemsThenEachTablesItemsInStoreOrder) {
  LibrarySession session(folder_.Path());
  EXPECT_EQ(GetCategories(nullptr), 5280);
  EXPECT_EQ(GetErrorCode(), 5280);

  std::vector<int32_t> expected = {10, 11, 9, 8, 1, 15, 16, 19};
  for (const std::string& file : platform::FindTableFiles(folder_.Path())) {
    for (int32_t type : StandardTypes.at(file)) expected.push_back(type);
  }
  const std::vector<CategoryRecord> records = ListedCategories();
  EXPECT_EQ(DataTypes(records), expected);
  EXPECT_EQ(GetErrorCode(), 5280);
  EXPECT_STREQ(records[0].Name, "News Title");
  EXPECT_EQ(records[0].TypeCode, 3);
  EXPECT_STREQ(records[7].Name, "Border Graphic");
  EXPECT_EQ(records[7].TypeCode, 7);
  for (const CategoryRecord& record : records) {
    if (record.DataType == 4) {
      EXPECT_STREQ(record.Name, "Zodiac Article");
      EXPECT_EQ(record.TypeCode, 6);
    }
  }
}

TEST_F(GetCategoriesTest, WritesNamesWithTheirTerminatorOnlyAndAClosingRecord) {
  LibrarySession session(folder_.Path());
  std::vector<CategoryRecord> records(20);
  std::memset(records.data(), 0xee, records.size() * sizeof(CategoryRecord));
  ASSERT_EQ(GetCategories(records.data()), 5280);
  // "News Title" and its zero; the bytes after it are as they were.
  EXPECT_EQ(records[0].Name[10], '\0');
  EXPECT_EQ(static_cast<uint8_t>(records[0].Name[11]), 0xee);
  EXPECT_EQ(records[19].DataType, 0);
  EXPECT_EQ(std::string(records[19].Name, 256), std::string(256, '\0'));
  EXPECT_EQ(static_cast<uint32_t>(records[19].TypeCode), 0xeeeeeeeeu);
}

TEST_F(GetCategoriesTest, AdditionalTablesAreNumberedFrom20AfreshOnEveryCall) {
  folder_.WriteTable("Calendar.dtf", CalendarTable());
  TableImageBuilder dates("Dates");
  dates.Field("MonthDay", IntegerType, true).Field("WHAT", StringType).Record({619, "x"s});
  folder_.WriteTable("Dates.dtf", dates);
  LibrarySession session(folder_.Path());

  for (int call = 0; call < 2; ++call) {
    ASSERT_EQ(GetCategories(nullptr), 25 * Record);
    std::map<std::string, std::vector<int32_t>> typesByName;
    for (const CategoryRecord& record : ListedCategories()) {
      if (record.DataType >= 20) typesByName[record.Name].push_back(record.DataType);
    }
    // The two tables follow each other in store order, field by field.
    const bool calendarFirst = typesByName["YEAR"].front() == 20;
    const int32_t calendar = calendarFirst ? 20 : 22;
    const int32_t datesFirst = calendarFirst ? 23 : 20;
    EXPECT_EQ(typesByName["YEAR"], std::vector<int32_t>{calendar});
    EXPECT_EQ(typesByName["EVENT1"], std::vector<int32_t>{calendar + 1});
    EXPECT_EQ(typesByName["EVENT2"], std::vector<int32_t>{calendar + 2});
    EXPECT_EQ(typesByName["MonthDay"], std::vector<int32_t>{datesFirst});
    EXPECT_EQ(typesByName["WHAT"], std::vector<int32_t>{datesFirst + 1});
  }
}

TEST_F(GetCategoriesTest, AMissingOrRepeatedStandardTableGivesMinus8AndWritesNothing) {
  for (const char* change : {"missing Stone", "second Stone", "lower-case zodiac"}) {
    SCOPED_TRACE(change);
    FixtureFolder data;
    data.WriteStandardTables();
    const std::string what = change;
    if (what == "missing Stone") data.Remove("Stone.dtf");
    if (what == "second Stone") {
      TableImageBuilder stone("Stone");
      stone.Field("MONTH", IntegerType, true).Field("STONE", StringType).Record({1, "Garnet"s});
      data.WriteTable("Stone2.dtf", stone);
    }
    if (what == "lower-case zodiac") {
      TableImageBuilder zodiac("zodiac");
      zodiac.Field("SIGN", IntegerType, true).Field("NAME", StringType).Record({0, "Aquarius"s});
      data.WriteTable("Zodiac.dtf", zodiac);
    }
    LibrarySession session(data.Path());
    std::vector<CategoryRecord> records(30);
    std::memset(records.data(), 0xee, records.size() * sizeof(CategoryRecord));
    EXPECT_EQ(GetCategories(nullptr), -8);
    EXPECT_EQ(GetCategories(records.data()), -8);
    EXPECT_EQ(GetErrorCode(), -8);
    EXPECT_EQ(static_cast<uint32_t>(records[0].DataType), 0xeeeeeeeeu);
    // The catalogue stays built.
    EXPECT_GE(State().Categories->CategoryItemCount(), 8);
  }
}

TEST(GetCategoriesFolders, TheFirstFolderDecidesAndMustHoldTables) {
  FixtureFolder first;
  FixtureFolder second;
  second.WriteStandardTables();
  {
    // Nothing in the first folder: the second is not searched.
    LibrarySession session(first.Path(), second.Path());
    EXPECT_EQ(GetCategories(nullptr), -8);
    EXPECT_EQ(State().Categories->CategoryItemCount(), 8);
  }
  // The first folder's Event.dtf wins over the second's; the rest comes
  // from the second.
  TableImageBuilder event("Event");
  event.Field("YEAR", IntegerType, true).Field("NEWS", MemoType).Record({1992, "first"s});
  first.WriteTable("EVENT.DTF", event);
  LibrarySession session(first.Path(), second.Path());
  EXPECT_EQ(GetCategories(nullptr), 5280);
  EXPECT_EQ(State().Tables->TableCount(), 8);
  EXPECT_EQ(State().Tables->GetTableName(0).FilePath, first.Path() + "EVENT.DTF");
}

TEST_F(GetCategoriesTest, ATableWithoutFieldsEndsTheBuildWithMinus10) {
  folder_.WriteTable("Empty.dtf", TableImageBuilder("Nothing"));
  LibrarySession session(folder_.Path());
  std::vector<CategoryRecord> records(30);
  EXPECT_EQ(GetCategories(records.data()), -10);
  EXPECT_EQ(GetErrorCode(), -10);
}

TEST_F(GetCategoriesTest, ABadTableIsShownOncePerCall) {
  folder_.WriteBytes("Broken.dtf", "not a table");
  LibrarySession session(folder_.Path());
  ShownMessages messages;
  for (int call = 0; call < 2; ++call) {
    // Its empty title makes it an additional table without fields.
    EXPECT_EQ(GetCategories(nullptr), -10);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{"Bad table file"});
  }
  // The other tables opened normally.
  int opened = 0;
  for (int i = 0; i < State().SharedTables->SharedTableCount(); ++i) {
    const SharedTableEntry entry = State().SharedTables->GetSharedTable(i);
    if (entry.Table != nullptr && entry.Table->Active()) ++opened;
  }
  EXPECT_EQ(opened, 8);
}

class UnwritableBufferTest : public GetCategoriesTest {
 protected:
  // size bytes that end where two pages with the given protection begin.
  char* BufferBefore(int protection, size_t size) {
    pages_.Protect(2, protection);
    pages_.Protect(3, protection);
    return pages_.EndingAt(2, size);
  }

  GuardedPages pages_{4, '\xee'};
};

TEST_F(UnwritableBufferTest, ABufferOfExactlyTheSizeEndingAtAProtectedPageIsFilled) {
  LibrarySession session(folder_.Path());
  char* buffer = BufferBefore(PROT_NONE, 5280);
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(buffer)), 5280);
  // One byte less and the list would run into the protected page.
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(buffer + 1)), -13);
  EXPECT_EQ(GetErrorCode(), -13);
  EXPECT_EQ(static_cast<uint8_t>(buffer[0]), 10);
  EXPECT_EQ(static_cast<uint8_t>(buffer[1]), 0);
  // A list that starts at an odd address is written byte by byte.
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(buffer - 1)), 5280);
  EXPECT_EQ(static_cast<uint8_t>(buffer[-1]), 10);
}

TEST_F(UnwritableBufferTest, ReadOnlyAndUnmappedBuffersGetMinus13AndNothingWritten) {
  LibrarySession session(folder_.Path());
  char* before = BufferBefore(PROT_READ, 0);
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(before)), -13);
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(before - 100)), -13);
  EXPECT_EQ(static_cast<uint8_t>(before[-100]), 0xee);
  pages_.Unmap(2);
  pages_.Unmap(3);
  EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(before)), -13);
  EXPECT_EQ(GetErrorCode(), -13);
  // The catalogue was built all the same.
  EXPECT_EQ(State().Categories->CategoryItemCount(), 19);
}

TEST_F(GetCategoriesTest, AListThatGrewSinceTheSizeQueryIsNotWritten) {
  LibrarySession session(folder_.Path());
  std::vector<CategoryRecord> records(30);
  std::memset(records.data(), 0xee, records.size() * sizeof(CategoryRecord));
  ASSERT_EQ(GetCategories(nullptr), 5280);
  folder_.WriteTable("Calendar.dtf", CalendarTable());
  EXPECT_EQ(GetCategories(records.data()), -12);
  EXPECT_EQ(GetErrorCode(), -12);
  EXPECT_EQ(static_cast<uint32_t>(records[0].DataType), 0xeeeeeeeeu);
  // Asked again, the host learns the new size; a list that shrank since
  // fits and is written.
  ASSERT_EQ(GetCategories(nullptr), 23 * Record);
  folder_.Remove("Calendar.dtf");
  EXPECT_EQ(GetCategories(records.data()), 5280);
}

TEST(GetCategoriesState, NotStartedGivesMinus6AndTouchesNothing) {
  ResetStateForTesting();
  CategoryRecord record{};
  record.DataType = 77;
  EXPECT_EQ(GetCategories(&record), -6);
  EXPECT_EQ(GetErrorCode(), -6);
  EXPECT_EQ(record.DataType, 77);

  FixtureFolder folder;
  folder.WriteStandardTables();
  StartUp(folder.Path().c_str(), "");
  ASSERT_EQ(GetCategories(nullptr), 5280);
  ShutDown();
  EXPECT_EQ(GetCategories(nullptr), -6);
  EXPECT_EQ(GetErrorCode(), -6);
  ResetStateForTesting();
}

}  // namespace
}  // namespace kavu32::testing

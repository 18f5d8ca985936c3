#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "engine/table.h"
#include "storage/categories_storage.h"
#include "storage/store_fixture.h"
#include "testing/shown_messages.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

class CategoryCatalogueTest : public StoreTest {
 protected:
  int32_t Build() {
    tables_.ScanFolders(folder_.Path(), "");
    store_.LoadTables(tables_);
    return categories_.BuildCategories(store_);
  }

  TCategoriesStorage categories_;
};

TEST_F(CategoryCatalogueTest, AdditionalItemsTakeTheirFieldsAndTheKeyModeOfField0) {
  TableImageBuilder calendar("Calendar");
  calendar.Field("YEAR", IntegerType, true).Field("EVENT1", StringType).Field("EVENT2", MemoType);
  folder_.WriteTable("Calendar.dtf", calendar.Record({1992, "one"s, "two"s}));
  TableImageBuilder dates("Dates");
  folder_.WriteTable("Dates.dtf", dates.Field("monthDay", IntegerType, true).Record({619}));

  EXPECT_EQ(Build(), 23);
  // Numbered from 20 in store order, field by field.
  const bool calendarFirst = IndexOf("CALENDAR TABLE") < IndexOf("DATES TABLE");
  const int32_t calendarType = calendarFirst ? 20 : 21;
  const char* names[] = {"YEAR", "EVENT1", "EVENT2"};
  const int32_t typeCodes[] = {IntegerType, StringType, MemoType};
  CategoryItem item;
  for (int field = 0; field < 3; ++field) {
    ASSERT_TRUE(categories_.FindCategoryItem(calendarType + field, item));
    EXPECT_STREQ(item.ItemName, names[field]);
    EXPECT_EQ(item.TypeCode, typeCodes[field]);
    EXPECT_EQ(item.FieldNo, field);
    EXPECT_EQ(item.TableIndex, IndexOf("CALENDAR TABLE"));
    EXPECT_EQ(item.KeyMode, 1);
  }
  ASSERT_TRUE(categories_.FindCategoryItem(calendarFirst ? 23 : 20, item));
  EXPECT_STREQ(item.ItemName, "monthDay");
  EXPECT_EQ(item.KeyMode, 6);
  EXPECT_EQ(item.FieldNo, 0);
}

TEST_F(CategoryCatalogueTest, LookupsByDataType) {
  ASSERT_EQ(Build(), 19);
  SharedTableEntry entry;
  entry.FileHandle = 1234;
  EXPECT_EQ(categories_.FindTableEntry(10, entry), TableLookup::NoTable);
  EXPECT_EQ(entry.FileHandle, 1234);
  ASSERT_EQ(categories_.FindTableEntry(2, entry), TableLookup::Found);
  EXPECT_EQ(entry.Table->Title(), "Event");
  EXPECT_EQ(categories_.FindTableEntry(25, entry), TableLookup::NotCatalogued);
  CategoryItem item;
  EXPECT_FALSE(categories_.FindCategoryItem(25, item));
  ASSERT_TRUE(categories_.FindCategoryItem(17, item));
  EXPECT_STREQ(item.ItemName, "Zodiac Graphic");
  EXPECT_EQ(item.TableIndex, IndexOf("ZODIAC TABLE"));
  EXPECT_EQ(item.FieldNo, -1);
  EXPECT_EQ(item.KeyMode, 0);

  ASSERT_TRUE(categories_.FindMoviesEntry(entry));
  EXPECT_EQ(entry.Table->Title(), "Movies");
  categories_.ClearCategories();
  EXPECT_EQ(categories_.CategoryItemCount(), 0);
  EXPECT_FALSE(categories_.FindMoviesEntry(entry));
}

TEST_F(CategoryCatalogueTest, WithoutMoviesThereIsNoMoviesEntry) {
  folder_.Remove("Movies.dtf");
  EXPECT_EQ(Build(), 19) << "Movies adds no item, so the set is complete";
  SharedTableEntry entry;
  EXPECT_FALSE(categories_.FindMoviesEntry(entry));
  // The items that exist can still be looked up.
  EXPECT_EQ(categories_.FindTableEntry(14, entry), TableLookup::Found);
}

TEST_F(CategoryCatalogueTest, ASecondMoviesTableIsTheOneRemembered) {
  TableImageBuilder movies("Movies");
  folder_.WriteTable("Movies2.dtf", movies.Field("YEAR", IntegerType, true).Record({1950}));
  EXPECT_EQ(Build(), 19) << "Movies may appear more than once";
  const int later = std::max(IndexOf("MOVIES TABLE"), IndexOf("MOVIES2 TABLE"));
  SharedTableEntry entry;
  ASSERT_TRUE(categories_.FindMoviesEntry(entry));
  EXPECT_EQ(entry.Table, store_.GetSharedTable(later).Table);
}

TEST_F(CategoryCatalogueTest, TablesThatCouldNotBeOpenedAreSkipped) {
  ShownMessages messages;
  // A catalogued file gone before it is opened: the others keep their
  // indexes.
  tables_.ScanFolders(folder_.Path(), "");
  folder_.Remove("Stone.dtf");
  store_.LoadTables(tables_);
  EXPECT_EQ(categories_.BuildCategories(store_), -8);
  EXPECT_EQ(categories_.CategoryItemCount(), 18);
  SharedTableEntry entry;
  ASSERT_EQ(categories_.FindTableEntry(5, entry), TableLookup::Found);
  EXPECT_EQ(entry.Table, store_.GetSharedTable(IndexOf("CHINESE TABLE")).Table);
}

TEST_F(CategoryCatalogueTest, AnExceptionWhileBuildingKeepsTheItemsSoFar) {
  folder_.WriteTable("Fieldless.dtf", TableImageBuilder("Fieldless"));
  EXPECT_EQ(Build(), -10);
  EXPECT_GE(categories_.CategoryItemCount(), 8);
  SharedTableEntry entry;
  EXPECT_EQ(categories_.FindTableEntry(10, entry), TableLookup::NoTable);
}

}  // namespace
}  // namespace kavu32::testing

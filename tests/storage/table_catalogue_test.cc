#include <string>

#include <gtest/gtest.h>

#include "storage/tables_storage.h"
#include "support/error.h"
#include "testing/fixture_folder.h"

namespace kavu32::testing {
namespace {

TEST(TableCatalogue, TakesTheFirstFoldersFilesThenTheSecondsNewOnes) {
  FixtureFolder first;
  FixtureFolder second;
  first.WriteBytes("Zodiac.dtf", "z");
  first.WriteBytes("Event.dtf", "e");
  second.WriteBytes("EVENT.DTF", "E");
  second.WriteBytes("Stone.dtf", "s");

  TTablesStorage tables;
  tables.ScanFolders(first.Path(), second.Path());
  ASSERT_EQ(tables.TableCount(), 3);
  const std::string firstTwo = tables.GetTableName(0).DisplayName + "," + tables.GetTableName(1).DisplayName;
  EXPECT_TRUE(firstTwo == "ZODIAC TABLE,EVENT TABLE" || firstTwo == "EVENT TABLE,ZODIAC TABLE") << firstTwo;
  const TTableName stone = tables.GetTableName(2);
  EXPECT_EQ(stone.MappingName, "STONE(TABLE)");
  EXPECT_EQ(stone.DisplayName, "STONE TABLE");
  EXPECT_EQ(stone.FilePath, second.Path() + "Stone.dtf");

  // A rescan starts afresh.
  first.Remove("Zodiac.dtf");
  tables.ScanFolders(first.Path(), second.Path());
  EXPECT_EQ(tables.TableCount(), 2);
  EXPECT_EQ(tables.GetTableName(0).FilePath, first.Path() + "Event.dtf");
}

TEST(TableCatalogue, AnEmptyFirstFolderStopsTheScan) {
  FixtureFolder first;
  FixtureFolder second;
  second.WriteBytes("Stone.dtf", "s");
  TTablesStorage tables;
  tables.ScanFolders(first.Path(), second.Path());
  EXPECT_EQ(tables.TableCount(), 0);
  tables.ScanFolders("", second.Path());
  EXPECT_EQ(tables.TableCount(), 0);
}

TEST(TableCatalogue, NamesComeFromTheUpperCasedBaseName) {
  FixtureFolder folder;
  folder.WriteBytes("year.dtf", "y");
  folder.WriteBytes(".hidden.dtf", "h");
  TTablesStorage tables;
  tables.ScanFolders(folder.Path(), "");
  ASSERT_EQ(tables.TableCount(), 1);
  TTableName name = tables.GetTableName(0);
  EXPECT_EQ(name.MappingName, "YEAR(TABLE)");
  EXPECT_EQ(name.DisplayName, "YEAR TABLE");
  EXPECT_EQ(name.FilePath, folder.Path() + "year.dtf");
  // A copy.
  name.MappingName = "changed";
  EXPECT_EQ(tables.GetTableName(0).MappingName, "YEAR(TABLE)");
  EXPECT_THROW(tables.GetTableName(1), Error);
  EXPECT_THROW(tables.GetTableName(-1), Error);
  tables.ClearTables();
  EXPECT_EQ(tables.TableCount(), 0);
}

}  // namespace
}  // namespace kavu32::testing

#include <sys/mman.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/table.h"
#include "testing/open_resources.h"
#include "platform/system_calls.h"
#include "testing/shown_messages.h"
#include "storage/store_fixture.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

class SharedStoreTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    tables.ScanFolders(folder.Path(), "");
    descriptors = OpenFileDescriptors();
    regions = MappedRegions(folder.Path());
  }
  void TearDown() override { platform::ResetSystemCalls(); }

  // Releases the store and checks that everything it held was given back.
  void ExpectAllReleased() {
    store.ReleaseTables();
    EXPECT_EQ(store.SharedTableCount(), 0);
    EXPECT_EQ(OpenFileDescriptors(), descriptors);
    EXPECT_EQ(MappedRegions(folder.Path()), regions);
  }

  void ExpectOpenErrors();

  ShownMessages messages;
  int descriptors = 0;
  int regions = 0;
};

TEST_F(SharedStoreTest, OpensEveryTableOverItsOwnReadOnlyView) {
  store.LoadTables(tables);
  ASSERT_EQ(store.SharedTableCount(), 8);
  EXPECT_TRUE(messages.Take().empty());
  for (int i = 0; i < 8; ++i) {
    const SharedTableEntry entry = store.GetSharedTable(i);
    ASSERT_NE(entry.Table, nullptr);
    EXPECT_TRUE(entry.Table->Active());
    EXPECT_NE(entry.FileHandle, 0);
    EXPECT_NE(entry.MappingHandle, 0);
    EXPECT_FALSE(platform::IsWritable(entry.View.Address, 1));
    struct stat status {};
    ASSERT_EQ(::stat(tables.GetTableName(i).FilePath.c_str(), &status), 0);
    EXPECT_EQ(entry.View.Size, status.st_size);
  }
  EXPECT_THROW(store.GetSharedTable(8), Error);
  ExpectAllReleased();
}

TEST_F(SharedStoreTest, ADeletedFileKeepsItsPlaceAndIsNamedInTheMessage) {
  folder.Remove("Birthday.dtf");
  store.LoadTables(tables);
  ASSERT_EQ(store.SharedTableCount(), 8);
  EXPECT_EQ(messages.Take(), std::vector<std::string>{
                                 folder.Path() + "Birthday.dtf## Error opening database table BIRTHDAY TABLE."});
  const SharedTableEntry missing = store.GetSharedTable(IndexOf("BIRTHDAY TABLE"));
  EXPECT_EQ(missing.Table, nullptr);
  EXPECT_EQ(missing.View.Address, nullptr);
  EXPECT_EQ(missing.FileHandle, 0);
  EXPECT_EQ(missing.MappingHandle, 0);
  ExpectAllReleased();
}

TEST_F(SharedStoreTest, AnEmptyOrDamagedFileIsABadTableThatKeepsWhatWasRead) {
  folder.WriteBytes("Birthday.dtf", "");
  // Stone with record 0's offset pointing far past the end of the file.
  std::vector<uint8_t> stone = TableImageBuilder("Stone")
                                   .Field("MONTH", kIntegerType, true)
                                   .Field("STONE", kStringType)
                                   .Record({1, "Garnet"s})
                                   .Build();
  const size_t indexStart = stone[20] | (stone[21] << 8);
  stone[indexStart + 3] = 0x7f;
  folder.WriteBytes("Stone.dtf", std::string(stone.begin(), stone.end()));

  store.LoadTables(tables);
  EXPECT_EQ(messages.Take(), (std::vector<std::string>{"Bad table file", "Bad table file"}));
  const SharedTableEntry damaged = store.GetSharedTable(IndexOf("STONE TABLE"));
  ASSERT_NE(damaged.Table, nullptr);
  EXPECT_FALSE(damaged.Table->Active());
  EXPECT_EQ(damaged.Table->Title(), "Stone");
  EXPECT_NE(damaged.View.Address, nullptr);
  const SharedTableEntry empty = store.GetSharedTable(IndexOf("BIRTHDAY TABLE"));
  EXPECT_NE(empty.View.Address, nullptr);
  EXPECT_EQ(empty.View.Size, 0);
  ExpectAllReleased();
}

void* FailingMmap(void*, size_t, int, int, int, off_t) {
  errno = ENOMEM;
  return MAP_FAILED;
}

int FailingOpen(const char*, int) {
  errno = EACCES;
  return -1;
}

int FailingFstat(int, struct stat*) {
  errno = EIO;
  return -1;
}

TEST_F(SharedStoreTest, AFailingMmapIsAMappingErrorAndHoldsNothing) {
  ASSERT_TRUE(platform::SetSystemCall("mmap", &FailingMmap));
  store.LoadTables(tables);
  const std::vector<std::string> shown = messages.Take();
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_EQ(shown[static_cast<size_t>(IndexOf("EVENT TABLE"))], "Error creating file mapping EVENT TABLE.");
  EXPECT_EQ(store.SharedTableCount(), 8);
  EXPECT_EQ(OpenFileDescriptors(), descriptors);
  ExpectAllReleased();
}

// Every file seems 3 GiB long: more than a table image can be.
int HugeFstat(int fd, struct stat* status) {
  const int result = ::fstat(fd, status);
  status->st_size = int64_t{3} << 30;
  return result;
}

TEST_F(SharedStoreTest, AFileOver2GiBIsABadTableAndIsNotRead) {
  ASSERT_TRUE(platform::SetSystemCall("fstat", &HugeFstat));
  store.LoadTables(tables);
  EXPECT_EQ(messages.Take(), std::vector<std::string>(8, "Bad table file"));
  EXPECT_EQ(store.GetSharedTable(0).Table, nullptr);
  ExpectAllReleased();
}

// Every table shown as a file that cannot be opened, nothing held.
void SharedStoreTest::ExpectOpenErrors() {
  store.LoadTables(tables);
  const std::vector<std::string> shown = messages.Take();
  ASSERT_EQ(shown.size(), 8u);
  const int stone = IndexOf("STONE TABLE");
  EXPECT_EQ(shown[static_cast<size_t>(stone)],
            tables.GetTableName(stone).FilePath + "## Error opening database table STONE TABLE.");
  EXPECT_EQ(OpenFileDescriptors(), descriptors);
  ExpectAllReleased();
}

TEST_F(SharedStoreTest, AFileThatCannotBeOpenedIsAnOpenError) {
  ASSERT_TRUE(platform::SetSystemCall("open", &FailingOpen));
  ExpectOpenErrors();
}

TEST_F(SharedStoreTest, AFileThatCannotBeSizedIsAnOpenError) {
  ASSERT_TRUE(platform::SetSystemCall("fstat", &FailingFstat));
  ExpectOpenErrors();
}

}  // namespace
}  // namespace kavu32::testing

#include <sys/mman.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/table.h"
#include "platform/system_calls.h"
#include "storage/store_fixture.h"
#include "testing/open_resources.h"
#include "testing/shown_messages.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

class SharedStoreTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    tables_.ScanFolders(folder_.Path(), "");
    descriptors_ = OpenFileDescriptors();
    regions_ = MappedRegions(folder_.Path());
  }
  void TearDown() override { platform::ResetSystemCalls(); }

  // Releases the store and checks that everything it held was given back.
  void ExpectAllReleased() {
    store_.ReleaseTables();
    EXPECT_EQ(store_.SharedTableCount(), 0);
    EXPECT_EQ(OpenFileDescriptors(), descriptors_);
    EXPECT_EQ(MappedRegions(folder_.Path()), regions_);
  }

  void ExpectOpenErrors();

  ShownMessages messages_;
  int descriptors_ = 0;
  int regions_ = 0;
};

TEST_F(SharedStoreTest, OpensEveryTableOverItsOwnReadOnlyView) {
  store_.LoadTables(tables_);
  ASSERT_EQ(store_.SharedTableCount(), 8);
  EXPECT_TRUE(messages_.Take().empty());
  for (int i = 0; i < 8; ++i) {
    const SharedTableEntry entry = store_.GetSharedTable(i);
    ASSERT_NE(entry.Table, nullptr);
    EXPECT_TRUE(entry.Table->Active());
    EXPECT_NE(entry.FileHandle, 0);
    EXPECT_NE(entry.MappingHandle, 0);
    EXPECT_FALSE(platform::IsWritable(entry.View.Address, 1));
    struct stat status {};
    ASSERT_EQ(::stat(tables_.GetTableName(i).FilePath.c_str(), &status), 0);
    EXPECT_EQ(entry.View.Size, status.st_size);
  }
  EXPECT_THROW(store_.GetSharedTable(8), Error);
  ExpectAllReleased();
}

TEST_F(SharedStoreTest, ADeletedFileKeepsItsPlaceAndIsNamedInTheMessage) {
  folder_.Remove("Birthday.dtf");
  store_.LoadTables(tables_);
  ASSERT_EQ(store_.SharedTableCount(), 8);
  EXPECT_EQ(messages_.Take(),
            std::vector<std::string>{folder_.Path() +
                                     "Birthday.dtf## Error opening database table BIRTHDAY TABLE."});
  const SharedTableEntry missing = store_.GetSharedTable(IndexOf("BIRTHDAY TABLE"));
  EXPECT_EQ(missing.Table, nullptr);
  EXPECT_EQ(missing.View.Address, nullptr);
  EXPECT_EQ(missing.FileHandle, 0);
  EXPECT_EQ(missing.MappingHandle, 0);
  ExpectAllReleased();
}

TEST_F(SharedStoreTest, AnEmptyOrDamagedFileIsABadTableThatKeepsWhatWasRead) {
  folder_.WriteBytes("Birthday.dtf", "");
  // Stone with record 0's offset pointing far past the end of the file.
  std::vector<uint8_t> stone = TableImageBuilder("Stone")
                                   .Field("MONTH", IntegerType, true)
                                   .Field("STONE", StringType)
                                   .Record({1, "Garnet"s})
                                   .Build();
  const size_t indexStart = stone[20] | (stone[21] << 8);
  stone[indexStart + 3] = 0x7f;
  folder_.WriteBytes("Stone.dtf", std::string(stone.begin(), stone.end()));

  store_.LoadTables(tables_);
  EXPECT_EQ(messages_.Take(), (std::vector<std::string>{"Bad table file", "Bad table file"}));
  const SharedTableEntry damaged = store_.GetSharedTable(IndexOf("STONE TABLE"));
  ASSERT_NE(damaged.Table, nullptr);
  EXPECT_FALSE(damaged.Table->Active());
  EXPECT_EQ(damaged.Table->Title(), "Stone");
  EXPECT_NE(damaged.View.Address, nullptr);
  const SharedTableEntry empty = store_.GetSharedTable(IndexOf("BIRTHDAY TABLE"));
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
  store_.LoadTables(tables_);
  const std::vector<std::string> shown = messages_.Take();
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_EQ(shown[static_cast<size_t>(IndexOf("EVENT TABLE"))], "Error creating file mapping EVENT TABLE.");
  EXPECT_EQ(store_.SharedTableCount(), 8);
  EXPECT_EQ(OpenFileDescriptors(), descriptors_);
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
  store_.LoadTables(tables_);
  EXPECT_EQ(messages_.Take(), std::vector<std::string>(8, "Bad table file"));
  EXPECT_EQ(store_.GetSharedTable(0).Table, nullptr);
  ExpectAllReleased();
}

// Every table shown as a file that cannot be opened, nothing held.
void SharedStoreTest::ExpectOpenErrors() {
  store_.LoadTables(tables_);
  const std::vector<std::string> shown = messages_.Take();
  ASSERT_EQ(shown.size(), 8u);
  const int stone = IndexOf("STONE TABLE");
  EXPECT_EQ(shown[static_cast<size_t>(stone)],
            tables_.GetTableName(stone).FilePath + "## Error opening database table STONE TABLE.");
  EXPECT_EQ(OpenFileDescriptors(), descriptors_);
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

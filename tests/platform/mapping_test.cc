#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"
#include "testing/fixture_folder.h"
#include "testing/open_resources.h"
#include "testing/without_standard_input.h"

namespace kavu32::platform {
namespace {

using testing::FixtureFolder;
using testing::MappedRegions;
using testing::OpenFileDescriptors;

std::string Bytes(const View& view) {
  return std::string(reinterpret_cast<const char*>(view.Address), static_cast<size_t>(view.Size));
}

TEST(NamedMapping, MapsTheWholeFileReadOnlyAndReleasesEverything) {
  FixtureFolder folder;
  folder.WriteBytes("T.dtf", std::string("table\0bytes", 11));
  const int descriptors = OpenFileDescriptors();
  const int regions = MappedRegions(folder.Path());

  EXPECT_EQ(OpenNamedMapping("T(TABLE)"), 0);
  const Handle file = OpenFileForRead(folder.Path() + "T.dtf");
  ASSERT_NE(file, 0);
  EXPECT_EQ(GetFileSize(file), 11);
  const Handle mapping = CreateNamedMapping(file, "T(TABLE)");
  ASSERT_NE(mapping, 0);
  // The mapping keeps the file open on its own.
  CloseHandle(file);
  const View view = MapView(mapping);
  ASSERT_NE(view.Address, nullptr);
  EXPECT_EQ(Bytes(view), std::string("table\0bytes", 11));
  EXPECT_FALSE(IsWritable(view.Address, 1));

  UnmapView(view);
  CloseHandle(mapping);
  EXPECT_EQ(OpenFileDescriptors(), descriptors);
  EXPECT_EQ(MappedRegions(folder.Path()), regions);
}

TEST(NamedMapping, AnEmptyFileGivesAnEmptyViewWithAnAddress) {
  FixtureFolder folder;
  folder.WriteBytes("Empty.dtf", "");
  const Handle file = OpenFileForRead(folder.Path() + "Empty.dtf");
  const Handle mapping = CreateNamedMapping(file, "EMPTY(TABLE)");
  const View view = MapView(mapping);
  EXPECT_NE(view.Address, nullptr);
  EXPECT_EQ(view.Size, 0);
  UnmapView(view);
  CloseHandle(mapping);
  CloseHandle(file);
}

// A host may run with standard input closed: the file then gets descriptor 0.
TEST(NamedMapping, DescriptorZeroIsAFileLikeAnyOther) {
  FixtureFolder folder;
  folder.WriteBytes("T.dtf", "bytes");
  Handle file = 0;
  const std::optional<int64_t> size = testing::WithoutStandardInput([&] {
    file = OpenFileForRead(folder.Path() + "T.dtf");
    const std::optional<int64_t> fileSize = GetFileSize(file);
    CloseHandle(file);
    return fileSize;
  });
  EXPECT_NE(file, 0);
  EXPECT_EQ(size, 5);
}

TEST(NamedMapping, FailuresGiveNoHandle) {
  EXPECT_EQ(OpenFileForRead("/nonexistent/T.dtf"), 0);
  EXPECT_EQ(CreateNamedMapping(0, "T(TABLE)"), 0);
  EXPECT_EQ(MapView(0).Address, nullptr);
  EXPECT_EQ(GetFileSize(0), std::nullopt);
}

// It shows as an empty view, so the table fails to open as a bad table.
TEST(NamedMapping, AFifoInATablesPlaceDoesNotBlockAndHoldsNoBytes) {
  FixtureFolder folder;
  const std::string path = folder.Path() + "Fifo.dtf";
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  const Handle file = OpenFileForRead(path);  // would block without a writer
  const Handle mapping = CreateNamedMapping(file, "FIFO(TABLE)");
  EXPECT_EQ(MapView(mapping).Size, 0);
  CloseHandle(mapping);
  CloseHandle(file);
}

void* FailingMmap(void*, size_t, int, int, int, off_t) {
  errno = ENOMEM;
  return MAP_FAILED;
}

TEST(NamedMapping, AFailingMmapGivesANullView) {
  FixtureFolder folder;
  folder.WriteBytes("T.dtf", "bytes");
  const Handle file = OpenFileForRead(folder.Path() + "T.dtf");
  const Handle mapping = CreateNamedMapping(file, "T(TABLE)");
  ASSERT_TRUE(SetSystemCall("mmap", &FailingMmap));
  EXPECT_EQ(MapView(mapping).Address, nullptr);
  ResetSystemCalls();
  CloseHandle(mapping);
  CloseHandle(file);
}

TEST(SystemCallTable, UnknownNamesAreRefused) {
  EXPECT_FALSE(SetSystemCall("no_such_call", &FailingMmap));
  EXPECT_FALSE(SetSystemCall("mmap", static_cast<void*>(nullptr)));
}

}  // namespace
}  // namespace kavu32::platform

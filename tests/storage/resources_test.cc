#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/table.h"
#include "interface/library_state.h"
#include "kavu32.h"
#include "storage/shared_storage.h"
#include "testing/fixture_folder.h"
#include "testing/library_session.h"
#include "testing/open_resources.h"
#include "testing/shown_messages.h"

namespace kavu32::testing {
namespace {

TEST(Resources, ThousandsOfRebuildsLeaveNoDescriptorOrMappingBehind) {
  FixtureFolder folder;
  folder.WriteStandardTables();
  // A first round settles the allocator.
  {
    LibrarySession warmUp(folder.Path());
    GetCategories(nullptr);
  }
  const int descriptors = OpenFileDescriptors();
  StartUp(folder.Path().c_str(), folder.Path().c_str());
  std::vector<CategoryRecord> records(40);
  ShownMessages messages;
  for (int call = 0; call < 3000; ++call) {
    // From call 2000 on, two bad tables make every call end with -10.
    if (call == 2000) {
      folder.WriteBytes("Broken.dtf", "not a table");
      folder.WriteBytes("Empty.dtf", "");
    }
    ASSERT_EQ(GetCategories(call % 2 == 0 ? nullptr : records.data()), call < 2000 ? 5280 : -10);
    messages.Take();
  }
  // The eight tables and Broken.dtf; the empty file needs no mapping.
  EXPECT_EQ(MappedRegions(folder.Path()), 9);
  ShutDown();
  EXPECT_EQ(OpenFileDescriptors(), descriptors);
  EXPECT_EQ(MappedRegions(folder.Path()), 0);
}

// Whether the library of this process still reads its Stone table.
bool ReadsStoneTable() {
  for (int i = 0; i < State().SharedTables->SharedTableCount(); ++i) {
    TsTable* table = State().SharedTables->GetSharedTable(i).Table;
    if (table != nullptr && table->Title() == "Stone")
      return table->FindKey(6) && table->Fields(1).AsString() == "Pearl";
  }
  return false;
}

// Runs in the second process: opens the tables, says so, waits until the
// first process has shut down, then reads. The exit code is the verdict.
[[noreturn]] void SecondProcess(const std::string& folder, int ready, int go) {
  StartUp(folder.c_str(), "");
  const bool listed = GetCategories(nullptr) == 5280;
  char byte = 1;
  bool proceed = ::write(ready, &byte, 1) == 1 && ::read(go, &byte, 1) == 1;
  ::_exit(listed && proceed && ReadsStoneTable() ? 0 : 1);
}

TEST(Resources, AnotherProcessKeepsReadingAfterTheFirstShutsDown) {
  FixtureFolder folder;
  folder.WriteStandardTables();
  int ready[2];
  int go[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(go), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  // Each process keeps only its own ends, so that either one sees the end
  // of its pipe, instead of waiting forever, when the other dies.
  if (child == 0) {
    ::close(ready[0]);
    ::close(go[1]);
    SecondProcess(folder.Path(), ready[1], go[0]);
  }
  ::close(ready[1]);
  ::close(go[0]);

  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  {
    LibrarySession first(folder.Path());
    ASSERT_EQ(GetCategories(nullptr), 5280);
    EXPECT_TRUE(ReadsStoneTable());
    ShutDown();
  }
  // Even with the files gone, the second process reads through its own
  // mappings.
  for (const char* file : {"Stone.dtf", "Event.dtf"}) folder.Remove(file);
  ASSERT_EQ(::write(go[1], &byte, 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace kavu32::testing

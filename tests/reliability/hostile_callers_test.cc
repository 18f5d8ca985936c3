// Callers that pass what no correct host passes: buffers that are
// unmapped, read-only or too short before an unwritable page, a name and
// folders of a megabyte, data types at the ends of the int32 range, impossible dates,
// and calls in every wrong state. Each gets its code or exception; nothing
// is written and nothing crashes.
#include <sys/mman.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"
#include "served_folder.h"
#include "testing/guarded_pages.h"
#include "testing/raised_message.h"

namespace kavu32::testing {
namespace {

constexpr char FillByte = '\x5a';

// Three pages: writable, read-only, unmapped, all filled with FillByte.
class HostilePages {
 public:
  HostilePages() : pages_(3, FillByte) {
    pages_.Protect(1, PROT_READ);
    pages_.Unmap(2);
  }
  size_t PageSize() const { return GuardedPages::PageSize(); }
  char* ReadOnly() const { return pages_.Page(1); }
  char* Unmapped() const { return pages_.Page(2); }
  // count writable bytes, then the read-only page.
  char* WritableBefore(size_t count) const { return pages_.EndingAt(1, count); }
  bool Untouched() const { return pages_.Untouched(pages_.Page(0), 2 * PageSize()); }

 private:
  GuardedPages pages_;
};

// An export that takes a buffer, as a call with that buffer.
struct BufferExport {
  std::string Name;
  std::function<int32_t(void*)> Call;
};

BufferExport DataOfType(int32_t type) {
  return {"GetData(" + std::to_string(type) + ")", [type](void* buffer) { return GetData(type, buffer); }};
}

// Every export that takes a buffer, GetData with every kind of result:
// composed texts, table texts, memos, graphic names, additional fields.
std::vector<BufferExport> BufferExports() {
  std::vector<BufferExport> exports = {
      {"GetCategories", [](void* buffer) { return GetCategories(static_cast<CategoryRecord*>(buffer)); }},
      {"GetErrorString",
       [](void* buffer) {
         GetData(40, nullptr);  // an error to describe
         return GetErrorString(static_cast<char*>(buffer));
       }},
  };
  for (const int32_t type : {1, 2, 3, 4, 5, 6, 7, 9, 12, 14, 17, 19, 20, 23, 26})
    exports.push_back(DataOfType(type));
  return exports;
}

using HostileCallersTest = ServedSessionTest;

TEST_F(HostileCallersTest, UnwritableBuffersGetMinus13AndNothingWritten) {
  HostilePages pages;
  for (const BufferExport& call : BufferExports()) {
    const int32_t size = call.Call(nullptr);
    ASSERT_GT(size, 0) << call.Name;
    const auto half = std::min(static_cast<size_t>(size) / 2, pages.PageSize());
    for (char* buffer : {pages.Unmapped(), pages.ReadOnly(), pages.WritableBefore(half)}) {
      EXPECT_EQ(call.Call(buffer), -13) << call.Name;
      EXPECT_EQ(GetErrorCode(), -13) << call.Name;
    }
    EXPECT_TRUE(pages.Untouched()) << call.Name;
    // The library serves on as before.
    std::vector<char> buffer(static_cast<size_t>(size));
    EXPECT_EQ(call.Call(buffer.data()), size) << call.Name;
  }
}

TEST_F(HostileCallersTest, AMegabyteNameIsServedWhole) {
  const std::string name(1 << 20, 'n');
  SetDateAndName(MakeDate(1992, 6, 19), name.c_str());
  EXPECT_EQ(RequestedData(9), "A LOOK AT THE WORLD WHEN " + std::string(name.size(), 'N') + " WAS BORN");
  EXPECT_NE(RequestedData(3).find(name + " - 1992"), std::string::npos);
}

TEST(HostileFolders, MegabyteFoldersHoldNoTables) {
  ResetStateForTesting();
  const std::string folder(1 << 20, 'f');
  StartUp(folder.c_str(), folder.c_str());
  EXPECT_EQ(GetCategories(nullptr), -8);
  ShutDown();
}

TEST_F(HostileCallersTest, DataTypesWithoutACategoryWriteNothing) {
  HostilePages pages;
  char* writable = pages.WritableBefore(pages.PageSize());
  for (const int32_t type : {0, -1, INT32_MIN, INT32_MAX, 28}) {
    const int32_t result = GetData(type, writable);
    EXPECT_LT(result, 0) << type;
    EXPECT_EQ(GetErrorCode(), result) << type;
    EXPECT_EQ(GetData(type, nullptr), result) << type;
  }
  EXPECT_TRUE(pages.Untouched());
}

TEST_F(HostileCallersTest, ImpossibleDatesRaiseAndTheLastDateIsServedOn) {
  const std::string news = RequestedData(2);
  for (const Kavu32Date& date : {MakeDate(1992, 0, 19), MakeDate(1992, 13, 19), MakeDate(1992, 6, 0),
                                 MakeDate(1992, 6, 32), MakeDate(1992, 6, 31), MakeDate(1900, 2, 29)}) {
    EXPECT_EQ(RaisedMessage([&] { SetDateAndName(date, "Bo"); }), "Invalid argument to date encode");
  }
  EXPECT_EQ(RequestedData(2), news);
}

TEST(WrongStates, EveryExportRefusesOrReportsAsSpecified) {
  ResetStateForTesting();
  ServedFolder folder;
  HostilePages pages;
  char* writable = pages.WritableBefore(pages.PageSize());
  const auto expectStopped = [&] {
    EXPECT_EQ(RaisedMessage([] { ShutDown(); }), "Already ShutDown, StartUp first!");
    EXPECT_EQ(RaisedMessage([] { SetDateAndName(MakeDate(1992, 6, 19), "Ada"); }),
              "Already ShutDown, StartUp first!");
    EXPECT_EQ(GetCategories(reinterpret_cast<CategoryRecord*>(writable)), -6);
    for (const int32_t type : EveryDataType()) EXPECT_EQ(GetData(type, writable), -16) << type;
  };

  expectStopped();
  StartUp(folder.Path().c_str(), "");
  EXPECT_EQ(RaisedMessage([&] { StartUp(folder.Path().c_str(), ""); }), "Already Started, ShutDown first!");
  for (const int32_t type : EveryDataType()) EXPECT_EQ(GetData(type, writable), -16) << type;
  ASSERT_EQ(GetCategories(nullptr), ServedFolder::CategoriesSize);
  for (const int32_t type : EveryDataType()) EXPECT_EQ(GetData(type, writable), -16) << type;
  EXPECT_EQ(GetErrorCode(), -16);
  ShutDown();
  expectStopped();
  EXPECT_TRUE(pages.Untouched());
}

}  // namespace
}  // namespace kavu32::testing

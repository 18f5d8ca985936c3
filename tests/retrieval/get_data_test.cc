// GetData's protocol: the date check, uncatalogued types, size queries and
// buffers that cannot take the result.
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "retrieval_session.h"

namespace kavu32::testing {
namespace {

using GetDataTest = RetrievalTest;

TEST_F(GetDataTest, RefusesEveryTypeUntilADateIsSet) {
  EXPECT_EQ(GetData(10, nullptr), -16) << "before StartUp";
  EXPECT_EQ(GetErrorCode(), -16);
  ASSERT_EQ(Load(), kStandardListSize);
  for (int32_t type : {1, 10, 19, 25, 0}) ExpectFailure(type, -16);
  EXPECT_EQ(ErrorText(), "Date and name was not set yet");
}

TEST_F(GetDataTest, ATypeTheCatalogueLacksIsAnInvalidParameter) {
  StartUp(folder_.Path().c_str(), "");
  SetDate(1992, 6, 19);
  ExpectFailure(10, -7);  // before the first GetCategories
  ShutDown();
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  for (int32_t type : {20, 25, 0, -1, INT32_MIN, INT32_MAX}) ExpectFailure(type, -7);
  EXPECT_EQ(ErrorText(), "Invalid data parameter passed");
}

TEST_F(GetDataTest, SizeQueryRecordsTheSizeAndWritesNothing) {
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  EXPECT_EQ(GetData(10, nullptr), 20);  // "In The News In 1992"
  EXPECT_EQ(GetErrorCode(), 20);
  EXPECT_EQ(Data(10), "In The News In 1992");
  EXPECT_EQ(GetErrorString(nullptr), 0) << "a size is no error";
  EXPECT_EQ(GetErrorCode(), 0);
}

// Two pages: the first writable, the second as the test sets it.
class PagePair {
 public:
  PagePair() : page_(static_cast<size_t>(::sysconf(_SC_PAGESIZE))) {
    void* block = ::mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    EXPECT_NE(block, MAP_FAILED);
    base_ = static_cast<char*>(block);
    std::memset(base_, '#', 2 * page_);
  }
  ~PagePair() { ::munmap(base_, 2 * page_); }
  void Protect(int page, int protection) { ::mprotect(base_ + page * page_, page_, protection); }
  // The address size bytes before the second page.
  char* EndingAtEdge(size_t size) const { return base_ + page_ - size; }
  char* SecondPage() const { return base_ + page_; }
  bool Untouched(const char* from, size_t size) const {
    for (size_t i = 0; i < size; ++i) {
      if (from[i] != '#') return false;
    }
    return true;
  }

 private:
  size_t page_;
  char* base_ = nullptr;
};

TEST_F(GetDataTest, ABufferThatIsNotWritableGetsNothing) {
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  PagePair pages;
  pages.Protect(1, PROT_READ);
  for (int32_t type : {10, 2}) {  // a text and a memo
    EXPECT_EQ(GetData(type, pages.SecondPage()), -13);
    EXPECT_EQ(GetErrorCode(), -13);
    ExpectResultHoldersEmpty();
  }
  pages.Protect(1, PROT_READ | PROT_WRITE);
  EXPECT_TRUE(pages.Untouched(pages.SecondPage(), 64));
  EXPECT_EQ(ErrorText(), "Invalid buffer pointer");
}

TEST_F(GetDataTest, ABufferOfExactlyTheSizeMayEndAtAnInaccessiblePage) {
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  PagePair pages;
  pages.Protect(1, PROT_NONE);
  // A text of 20 bytes, and the 1992 memo: 31 bytes and a zero.
  for (const auto& [type, size] : {std::pair{10, 20}, std::pair{2, 32}}) {
    EXPECT_EQ(GetData(type, pages.EndingAtEdge(size)), size);
    EXPECT_EQ(GetErrorCode(), size);
    EXPECT_EQ(pages.EndingAtEdge(1)[0], '\0');
    // One byte short: the terminator would land on the inaccessible page.
    EXPECT_EQ(GetData(type, pages.EndingAtEdge(size - 1)), -13);
    EXPECT_EQ(GetErrorCode(), -13);
  }
  EXPECT_EQ(std::string(pages.EndingAtEdge(32), 32), std::string("Barcelona Olympics\r\nEuro Disney\0", 32));
}

}  // namespace
}  // namespace kavu32::testing

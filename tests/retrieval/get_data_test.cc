// GetData's protocol: the date check, uncatalogued types, size queries and
// buffers that cannot take the result.
#include <sys/mman.h>

#include <climits>

#include "retrieval_session.h"
#include "testing/guarded_pages.h"

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

TEST_F(GetDataTest, ABufferThatIsNotWritableGetsNothing) {
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  GuardedPages pages(2, '#');  // the second page as each test sets it
  pages.Protect(1, PROT_READ);
  for (int32_t type : {10, 2}) {  // a text and a memo
    EXPECT_EQ(GetData(type, pages.Page(1)), -13);
    EXPECT_EQ(GetErrorCode(), -13);
    ExpectResultHoldersEmpty();
  }
  pages.Protect(1, PROT_READ | PROT_WRITE);
  EXPECT_TRUE(pages.Untouched(pages.Page(1), 64));
  EXPECT_EQ(ErrorText(), "Invalid buffer pointer");
}

TEST_F(GetDataTest, ABufferOfExactlyTheSizeMayEndAtAnInaccessiblePage) {
  ASSERT_EQ(Load(), kStandardListSize);
  SetDate(1992, 6, 19);
  GuardedPages pages(2, '#');  // the second page as each test sets it
  pages.Protect(1, PROT_NONE);
  // A text of 20 bytes, and the 1992 memo: 31 bytes and a zero.
  for (const auto& [type, size] : {std::pair{10, 20}, std::pair{2, 32}}) {
    EXPECT_EQ(GetData(type, pages.EndingAt(1, size)), size);
    EXPECT_EQ(GetErrorCode(), size);
    EXPECT_EQ(pages.EndingAt(1, 1)[0], '\0');
    // One byte short: the terminator would land on the inaccessible page.
    EXPECT_EQ(GetData(type, pages.EndingAt(1, size - 1)), -13);
    EXPECT_EQ(GetErrorCode(), -13);
  }
  EXPECT_EQ(std::string(pages.EndingAt(1, 32), 32), std::string("Barcelona Olympics\r\nEuro Disney\0", 32));
}

}  // namespace
}  // namespace kavu32::testing

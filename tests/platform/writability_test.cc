#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"
#include "testing/guarded_pages.h"

namespace kavu32::platform {
namespace {

const size_t kPage = static_cast<size_t>(::sysconf(_SC_PAGESIZE));

// Pages: two read-write, one read-only, one without access, one unmapped.
class PageLayout {
 public:
  PageLayout() : pages_(5, 0x5a) {
    pages_.Protect(2, PROT_READ);
    pages_.Protect(3, PROT_NONE);
    pages_.Unmap(4);
  }
  char* Writable() const { return pages_.Page(0); }
  char* ReadOnly() const { return pages_.Page(2); }
  char* NoAccess() const { return pages_.Page(3); }
  char* Unmapped() const { return pages_.Page(4); }

 private:
  testing::GuardedPages pages_;
};

void ExpectAnswersForLayout() {
  const PageLayout pages;
  EXPECT_FALSE(IsWritable(nullptr, 0));
  EXPECT_FALSE(IsWritable(nullptr, 16));
  EXPECT_TRUE(IsWritable(pages.Writable(), 0));
  EXPECT_TRUE(IsWritable(pages.Writable(), 2 * kPage));
  EXPECT_TRUE(IsWritable(pages.Writable() + 100, 10));
  EXPECT_FALSE(IsWritable(pages.ReadOnly(), 1));
  EXPECT_FALSE(IsWritable(pages.ReadOnly() - 4, 5));
  EXPECT_FALSE(IsWritable(pages.NoAccess() + 17, 1));
  EXPECT_FALSE(IsWritable(pages.Unmapped(), 8));
  EXPECT_FALSE(IsWritable(pages.Writable(), SIZE_MAX));
  EXPECT_FALSE(IsWritable("a string literal", 4));
  std::vector<char> heap(10000);
  EXPECT_TRUE(IsWritable(heap.data(), heap.size()));
  char stack[64];
  EXPECT_TRUE(IsWritable(stack, sizeof stack));
  // Nothing was written.
  EXPECT_EQ(pages.Writable()[0], 0x5a);
  EXPECT_EQ(pages.ReadOnly()[0], 0x5a);
}

TEST(Writability, TellsWritableFromReadOnlyNoAccessAndUnmapped) { ExpectAnswersForLayout(); }

TEST(Writability, ABufferEndingAtAProtectedPageIsWritableUpToItsEdge) {
  const PageLayout pages;
  const size_t size = kPage + 100;
  char* buffer = pages.ReadOnly() - size;
  EXPECT_TRUE(IsWritable(buffer, size));
  EXPECT_FALSE(IsWritable(buffer, size + 1));
}

TEST(Writability, MemoryUnmappedOrProtectedSinceTheLastAnswerIsNotWritable) {
  testing::GuardedPages pages(2, 0);
  char* bytes = pages.Page(0);
  ASSERT_TRUE(IsWritable(bytes, 2 * kPage));
  pages.Protect(1, PROT_READ);
  EXPECT_TRUE(IsWritable(bytes, kPage));
  EXPECT_FALSE(IsWritable(bytes, kPage + 1));
  pages.Unmap(0);
  EXPECT_FALSE(IsWritable(bytes, 1));
  pages.Unmap(1);
  EXPECT_FALSE(IsWritable(bytes + kPage, 1));
}

// A kernel without MADV_POPULATE_WRITE answers EINVAL for every range: the
// memory map then answers.
int MadviseUnknownAdvice(void*, size_t, int) {
  errno = EINVAL;
  return -1;
}

TEST(Writability, WithoutThePopulateAdviceTheMemoryMapAnswers) {
  ASSERT_TRUE(SetSystemCall("madvise", &MadviseUnknownAdvice));
  ExpectAnswersForLayout();
  ResetSystemCalls();
}

int OpenNothing(const char*, int) {
  errno = EMFILE;
  return -1;
}

TEST(Writability, AnUnreadableMemoryMapMeansNotWritable) {
  std::vector<char> heap(100);
  ASSERT_TRUE(SetSystemCall("madvise", &MadviseUnknownAdvice));
  ASSERT_TRUE(SetSystemCall("open", &OpenNothing));
  EXPECT_FALSE(IsWritable(heap.data(), heap.size()));
  ResetSystemCalls();
  EXPECT_TRUE(IsWritable(heap.data(), heap.size()));
}

}  // namespace
}  // namespace kavu32::platform

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"

namespace kavu32::platform {
namespace {

const size_t kPage = static_cast<size_t>(::sysconf(_SC_PAGESIZE));

// Pages: two read-write, one read-only, one without access, one unmapped.
class PageLayout {
 public:
  PageLayout() {
    void* block = ::mmap(nullptr, 5 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = static_cast<char*>(block);
    std::memset(base_, 0x5a, 3 * kPage);
    ::mprotect(ReadOnly(), kPage, PROT_READ);
    ::mprotect(NoAccess(), kPage, PROT_NONE);
    ::munmap(Unmapped(), kPage);
  }
  ~PageLayout() { ::munmap(base_, 4 * kPage); }
  char* Writable() const { return base_; }
  char* ReadOnly() const { return base_ + 2 * kPage; }
  char* NoAccess() const { return base_ + 3 * kPage; }
  char* Unmapped() const { return base_ + 4 * kPage; }

 private:
  char* base_;
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
  void* block = ::mmap(nullptr, 2 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  char* bytes = static_cast<char*>(block);
  ASSERT_TRUE(IsWritable(bytes, 2 * kPage));
  ::mprotect(bytes + kPage, kPage, PROT_READ);
  EXPECT_TRUE(IsWritable(bytes, kPage));
  EXPECT_FALSE(IsWritable(bytes, kPage + 1));
  ::munmap(bytes, kPage);
  EXPECT_FALSE(IsWritable(bytes, 1));
  ::munmap(bytes + kPage, kPage);
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

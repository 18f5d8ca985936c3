#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"
#include "testing/fixture_folder.h"
#include "testing/guarded_pages.h"
#include "testing/without_standard_input.h"

namespace kavu32::platform {
namespace {

const size_t Page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));

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
  EXPECT_TRUE(IsWritable(pages.Writable(), 2 * Page));
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
  const size_t size = Page + 100;
  char* buffer = pages.ReadOnly() - size;
  EXPECT_TRUE(IsWritable(buffer, size));
  EXPECT_FALSE(IsWritable(buffer, size + 1));
}

TEST(Writability, MemoryUnmappedOrProtectedSinceTheLastAnswerIsNotWritable) {
  testing::GuardedPages pages(2, 0);
  char* bytes = pages.Page(0);
  ASSERT_TRUE(IsWritable(bytes, 2 * Page));
  pages.Protect(1, PROT_READ);
  EXPECT_TRUE(IsWritable(bytes, Page));
  EXPECT_FALSE(IsWritable(bytes, Page + 1));
  pages.Unmap(0);
  EXPECT_FALSE(IsWritable(bytes, 1));
  pages.Unmap(1);
  EXPECT_FALSE(IsWritable(bytes + Page, 1));
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

// A host may run with standard input closed: the memory map then opens as
// descriptor 0.
TEST(Writability, TheMemoryMapIsReadOnDescriptorZero) {
  std::vector<char> heap(100);
  ASSERT_TRUE(SetSystemCall("madvise", &MadviseUnknownAdvice));
  EXPECT_TRUE(testing::WithoutStandardInput([&] { return IsWritable(heap.data(), heap.size()); }));
  ResetSystemCalls();
}

std::string MemoryMapPath;

int OpenMemoryMapFile(const char*, int flags) { return ::open(MemoryMapPath.c_str(), flags); }

// Every other read is interrupted by a signal before it reads anything.
ssize_t InterruptedRead(int fd, void* buffer, size_t size) {
  static bool interrupted = false;
  interrupted = !interrupted;
  if (interrupted) {
    errno = EINTR;
    return -1;
  }
  return ::read(fd, buffer, size);
}

// The memory map read line by line, as the kernel writes it or cut short.
TEST(Writability, TheMemoryMapMustListTheWholeRangeAsWritable) {
  const std::string layout =
      "1000-2000 r--p 00000000 00:00 0\n"
      "2000-3000 rw-p 00000000 00:00 0\n"
      "3000-4000 rw-p 00000000 00:00 0  [heap]\n"
      "4001-5000 rw-p 00000000 00:00 0\n";
  const struct {
    std::string Map;
    uintptr_t Begin;
    size_t Size;
    bool Writable;
  } cases[] = {
      {layout, 0x2000, 0x2000, true},  // from a region's start to another's end
      {layout, 0x2800, 0x1000, true},
      {layout, 0x1fff, 2, false},       // read-only before
      {layout, 0x3800, 0x1000, false},  // a gap after
      {layout, 0x6000, 1, false},       // not listed
      {"2000-3000 rw", 0x2000, 0x1000, true},
      {"2000-3000 r", 0x2000, 0x1000, false},
      {"2000 3000 rw-p\n", 0x2000, 0x1000, false},
      {"-3000 rw-p\n", 0x2000, 0x1000, false},
      {"2000-x rw-p\n", 0x2000, 0x1000, false},
      {"\n2000-3000 rw-p\n", 0x2000, 0x1000, false},
      {"", 0x2000, 0x1000, false},
  };
  testing::FixtureFolder folder;
  MemoryMapPath = folder.Path() + "maps";
  ASSERT_TRUE(SetSystemCall("madvise", &MadviseUnknownAdvice));
  ASSERT_TRUE(SetSystemCall("open", &OpenMemoryMapFile));
  ASSERT_TRUE(SetSystemCall("read", &InterruptedRead));
  for (const auto& c : cases) {
    folder.WriteBytes("maps", c.Map);
    EXPECT_EQ(IsWritable(reinterpret_cast<void*>(c.Begin), c.Size), c.Writable)
        << c.Map << std::hex << c.Begin;
  }
  ResetSystemCalls();
}

}  // namespace
}  // namespace kavu32::platform

// Texts the host passes are read without faulting: an unreadable folder
// makes both folders the current one, an unreadable name counts as none.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "interface/library_state.h"
#include "kavu32.h"
#include "testing/guarded_pages.h"

namespace {

// Two pages: the first readable and writable, the second inaccessible.
class GuardedText {
 public:
  GuardedText() : pages_(2, 0) { pages_.Protect(1, PROT_NONE); }
  char* Inaccessible() const { return pages_.Page(1); }
  // text placed so that its terminating zero is the readable page's last byte.
  const char* EndingAtTheGuard(const std::string& text) const {
    char* start = pages_.EndingAt(1, text.size() + 1);
    std::memcpy(start, text.c_str(), text.size() + 1);
    return start;
  }
  // text whose terminator would lie in the guard page.
  const char* RunningIntoTheGuard(const std::string& text) const {
    char* start = pages_.EndingAt(1, text.size());
    std::memcpy(start, text.data(), text.size());
    return start;
  }

 private:
  kavu32::testing::GuardedPages pages_;
};

std::string CurrentFolder() {
  char folder[4096];
  return std::string(getcwd(folder, sizeof folder)) + "/";
}

TEST(HostTextTest, FoldersEndWithOneSeparator) {
  StartUp("/data/first", "/data/second/");
  EXPECT_EQ(kavu32::State().FirstFolder, "/data/first/");
  EXPECT_EQ(kavu32::State().SecondFolder, "/data/second/");
  ShutDown();
  StartUp(nullptr, "");
  EXPECT_EQ(kavu32::State().FirstFolder, "");
  EXPECT_EQ(kavu32::State().SecondFolder, "");
  ShutDown();
}

TEST(HostTextTest, AnUnreadableFolderMakesBothFoldersTheCurrentOne) {
  GuardedText pages;
  StartUp("/data/first", pages.Inaccessible());
  EXPECT_EQ(kavu32::State().FirstFolder, CurrentFolder());
  EXPECT_EQ(kavu32::State().SecondFolder, CurrentFolder());
  ShutDown();
  StartUp(pages.RunningIntoTheGuard("/data/first"), "/data/second");
  EXPECT_EQ(kavu32::State().SecondFolder, CurrentFolder());
  ShutDown();
}

TEST(HostTextTest, ATextEndingAtTheLastReadableByteIsReadWhole) {
  GuardedText pages;
  const std::string folder = "/" + std::string(5000, 'f');  // spans more than a page
  StartUp(pages.EndingAtTheGuard("/data/first"), folder.c_str());
  EXPECT_EQ(kavu32::State().FirstFolder, "/data/first/");
  EXPECT_EQ(kavu32::State().SecondFolder, folder + "/");
  ShutDown();
}

TEST(HostTextTest, AnUnreadableNameCountsAsNoName) {
  GuardedText pages;
  StartUp("", "");
  Kavu32Date date{};
  date.Year = 1992;
  date.Month = 6;
  date.Day = 19;
  SetDateAndName(date, pages.EndingAtTheGuard("Ann Lee"));
  EXPECT_EQ(kavu32::State().PersonName, "Ann Lee");
  SetDateAndName(date, pages.RunningIntoTheGuard("Ann Lee"));
  EXPECT_EQ(kavu32::State().PersonName, "");
  EXPECT_TRUE(kavu32::State().DateSet);
  ShutDown();
}

}  // namespace

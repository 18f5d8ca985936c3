#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"
#include "testing/fixture_folder.h"

namespace kavu32::platform {
namespace {

using testing::FixtureFolder;

// The names readdir returns, in its order, that the search should keep.
std::vector<std::string> InDirectoryOrder(const std::string& folder, const std::vector<std::string>& wanted) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  while (const dirent* entry = ::readdir(dir)) {
    if (std::find(wanted.begin(), wanted.end(), entry->d_name) != wanted.end())
      names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

TEST(DirectorySearch, FindsRegularTableFilesInAnyCaseInDirectoryOrder) {
  FixtureFolder folder;
  for (const char* name : {"a.dtf", "B.DTF", "c.Dtf", "d.dtf.dtf", "notes.txt", "e.dtfx", "dtf", ".dtf",
                           ".hidden.dtf", "f.dt"}) {
    folder.WriteBytes(name, "x");
  }
  ASSERT_EQ(::mkdir((folder.Path() + "folder.dtf").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((folder.Path() + "pipe.dtf").c_str(), 0644), 0);
  ASSERT_EQ(::symlink((folder.Path() + "a.dtf").c_str(), (folder.Path() + "link.dtf").c_str()), 0);
  ASSERT_EQ(::symlink(folder.Path().c_str(), (folder.Path() + "dirlink.dtf").c_str()), 0);
  ASSERT_EQ(::symlink("/nonexistent", (folder.Path() + "dangling.dtf").c_str()), 0);

  const std::vector<std::string> found = FindTableFiles(folder.Path());
  EXPECT_EQ(found, InDirectoryOrder(folder.Path(), {"a.dtf", "B.DTF", "c.Dtf", "d.dtf.dtf", "link.dtf"}));
}

TEST(DirectorySearch, MissingOrEmptyFolderFindsNothing) {
  EXPECT_TRUE(FindTableFiles("").empty());
  EXPECT_TRUE(FindTableFiles("/nonexistent/folder/").empty());
  FixtureFolder folder;
  folder.WriteBytes("plain.txt", "x");
  EXPECT_TRUE(FindTableFiles(folder.Path()).empty());
}

// A file system that does not fill in d_type: the search asks fstatat.
dirent* ReaddirWithoutType(DIR* dir) {
  dirent* entry = ::readdir(dir);
  if (entry != nullptr) entry->d_type = DT_UNKNOWN;
  return entry;
}

TEST(DirectorySearch, UnknownEntryTypesAreLookedUp) {
  FixtureFolder folder;
  folder.WriteBytes("table.dtf", "x");
  ASSERT_EQ(::mkdir((folder.Path() + "folder.dtf").c_str(), 0755), 0);
  ASSERT_TRUE(SetSystemCall("readdir", &ReaddirWithoutType));
  EXPECT_EQ(FindTableFiles(folder.Path()), std::vector<std::string>{"table.dtf"});
  ResetSystemCalls();
}

TEST(FileNames, CompareAndUpperCaseFoldAsciiLettersOnly) {
  EXPECT_EQ(CompareTextIgnoreCase("Event.dtf", "EVENT.DTF"), 0);
  EXPECT_LT(CompareTextIgnoreCase("abc", "ABD"), 0);
  EXPECT_GT(CompareTextIgnoreCase("abcd", "ABC"), 0);
  EXPECT_NE(CompareTextIgnoreCase("\xe9t\xe9", "\xc9T\xc9"), 0);
  EXPECT_EQ(UpperCase("year.dtf \xe9"), "YEAR.DTF \xe9");
  EXPECT_EQ(FileNameInPath("Event.dtf"), "Event.dtf");
  EXPECT_EQ(FolderSeparator, '/');
  EXPECT_TRUE(IsFolderSeparator('/'));
  EXPECT_FALSE(IsFolderSeparator('\\'));
}

TEST(FileExistence, RegularFilesOnlyRelativeToTheCurrentFolder) {
  FixtureFolder folder;
  folder.WriteBytes("Border.wmf", "x");
  ASSERT_EQ(::mkdir((folder.Path() + "Zodiac0.wmf").c_str(), 0755), 0);
  EXPECT_TRUE(FileExists(folder.Path() + "Border.wmf"));
  EXPECT_FALSE(FileExists(folder.Path() + "Zodiac0.wmf"));
  EXPECT_FALSE(FileExists(folder.Path() + "Zodiac1.wmf"));

  const std::string before = CurrentDirectory();
  ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
  EXPECT_TRUE(FileExists("Border.wmf"));
  EXPECT_FALSE(FileExists("border.wmf"));
  EXPECT_EQ(CurrentDirectory() + "/", folder.Path());
  ASSERT_EQ(::chdir(before.c_str()), 0);
}

}  // namespace
}  // namespace kavu32::platform

/* Arguments no host should pass: data types no category has, a name of a
 * megabyte, and folder and name pointers the library cannot read. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fixture.h"
#include "host.h"

/* -7 before the catalogue is built and for types it lacks; the buffer
 * stays untouched. */
static void TestTypesWithoutCategory(void) {
  static const int32_t types[] = {0, -1, INT32_MIN, INT32_MAX, 20};
  kavu.StartUp(fixtureFolder, "");
  kavu.SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
  ExpectDataError(2, -7);
  ExpectDataError(10, -7);
  ExpectInt("GetCategories", kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  for (size_t i = 0; i < sizeof types / sizeof types[0]; ++i) ExpectDataError(types[i], -7);
  kavu.ShutDown();
}

/* The heading of type 9 carries the whole name in upper case. */
static void TestMegabyteName(void) {
  enum { Length = 1024 * 1024 };
  static const char opening[] = "A LOOK AT THE WORLD WHEN ";
  static const char closing[] = " WAS BORN";
  char* name = malloc(Length + 1);
  char* heading = malloc(sizeof opening + Length + sizeof closing);
  char* upper = heading + sizeof opening - 1;
  for (size_t i = 0; i < Length; ++i) {
    const size_t letter = i % 27;
    name[i] = letter == 26 ? ' ' : (char)('a' + letter);
    upper[i] = letter == 26 ? ' ' : (char)('A' + letter);
  }
  name[Length] = '\0';
  memcpy(heading, opening, sizeof opening - 1);
  memcpy(upper + Length, closing, sizeof closing);
  StartWith(fixtureFolder, "", MakeDate(1992, 6, 19), name);
  ExpectDataText(9, heading);
  kavu.ShutDown();
  free(heading);
  free(name);
}

/* --- Texts the library cannot read ----------------------------------------- */

typedef struct UnreadableText {
  const char* Name;
  const char* Address;
} UnreadableText;

/* StartUp(first, second) lists the same as the current folder: whichever
 * folder cannot be read, both become the current one. */
static void ExpectCurrentFolderListed(const char* what, const char* first, const char* second,
                                      const CategoryRecord* expected) {
  static CategoryRecord records[20];
  kavu.StartUp(first, second);
  ExpectInt(what, kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  memset(records, 0, sizeof records);
  kavu.GetCategories(records);
  ExpectBytes("the current folder's category list", records, expected, sizeof records);
  kavu.ShutDown();
}

static void TestUnreadableFolders(const UnreadableText* texts, size_t count) {
  static const char* const tables[] = {FIXTURE_TABLES, NULL};
  static CategoryRecord expected[20];
  char scratch[MAX_PATH];
  char current[MAX_PATH];
  char extraFolder[MAX_PATH];
  char what[128];
  JoinPath(extraFolder, fixtureFolder, "extra");
  MakeTableFolder("current", fixtureFolder, tables);
  GetCurrentDirectoryA(sizeof scratch, scratch);
  ExpectTrue("SetCurrentDirectoryA(\"current\")", SetCurrentDirectoryA("current"));
  GetCurrentDirectoryA(sizeof current, current);
  kavu.StartUp(current, "");
  ExpectInt("GetCategories of the current folder", kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  kavu.GetCategories(expected);
  kavu.ShutDown();

  /* The other folder holds an additional table: it is not scanned. */
  for (size_t i = 0; i < count; ++i) {
    snprintf(what, sizeof what, "StartUp with %s as the first folder", texts[i].Name);
    ExpectCurrentFolderListed(what, texts[i].Address, extraFolder, expected);
    snprintf(what, sizeof what, "StartUp with %s as the second folder", texts[i].Name);
    ExpectCurrentFolderListed(what, extraFolder, texts[i].Address, expected);
  }
  SetCurrentDirectoryA(scratch);
  RemoveTableFolder("current");
}

/* A name that cannot be read replaces the last one by none. */
static void TestUnreadableNames(const UnreadableText* texts, size_t count) {
  StartWith(fixtureFolder, "", MakeDate(1992, 6, 19), "Ann Lee");
  for (size_t i = 0; i < count; ++i) {
    kavu.SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
    kavu.SetDateAndName(MakeDate(1992, 6, 19), texts[i].Address);
    ExpectDataText(9, "A LOOK AT THE WORLD WHEN  WAS BORN");
  }
  kavu.ShutDown();
}

static void TestUnreadableTexts(void) {
  const GuardedPages pages = AllocateGuarded();
  const UnreadableText texts[] = {
      {"a pointer into a no-access page", pages.End},
      {"a text without terminator before a no-access page", pages.Base},
  };
  const size_t count = sizeof texts / sizeof texts[0];
  TestUnreadableFolders(texts, count);
  TestUnreadableNames(texts, count);
  FreeGuarded(&pages);
}

void TestHostileArguments(void) {
  TestTypesWithoutCategory();
  TestMegabyteName();
  TestUnreadableTexts();
}

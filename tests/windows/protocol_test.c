/* The exports' protocol: the end-to-end request, the category list, the
 * error strings and the messages shown while tables are opened. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fixture.h"
#include "host.h"

/* Right after loading: no error, no date, nothing started. */
void TestFreshLibrary(void) {
  ExpectInt("GetErrorCode after loading", kavu.GetErrorCode(), 0);
  ExpectInt("GetErrorString(null) after loading", kavu.GetErrorString(NULL), 0);
  ExpectInt("GetData before StartUp", kavu.GetData(10, NULL), -16);
  ExpectInt("GetCategories before StartUp", kavu.GetCategories(NULL), -6);
}

/* StartUp with two folders without trailing separators, the category
 * list, the date and name, and a memo fetched with the two calls. */
void TestEndToEnd(void) {
  static const char news[] = FIXTURE_NEWS_1992;
  static CategoryRecord records[20];
  kavu.StartUp(fixtureFolder, fixtureFolder);
  ExpectInt("GetCategories(null)", kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  ExpectInt("GetCategories(buffer)", kavu.GetCategories(records), STANDARD_LIST_SIZE);
  ExpectInt("GetErrorCode after GetCategories", kavu.GetErrorCode(), STANDARD_LIST_SIZE);
  ExpectInt("first item", records[0].DataType, 10);
  ExpectText("first item name", records[0].Name, "News Title");
  ExpectInt("closing record", records[19].DataType, 0);
  ExpectTrue("mapping EVENT(TABLE) exists", MappingExists("EVENT(TABLE)"));
  kavu.SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
  ExpectDataBytes(2, news, sizeof news - 1);
  kavu.ShutDown();
  ExpectTrue("ShutDown releases EVENT(TABLE)", !MappingExists("EVENT(TABLE)"));
  ExpectTrue("ShutDown releases ZODIAC(TABLE)", !MappingExists("ZODIAC(TABLE)"));
}

/* A table in the first folder hides the second folder's table of the same
 * name in any letter case. */
void TestTwoFolders(void) {
  static const char news[] = VARIANT_NEWS_1992;
  char source[MAX_PATH];
  CreateDirectoryA("upper", NULL);
  JoinPath(source, fixtureFolder, "variant\\Event.dtf");
  ExpectTrue("upper\\EVENT.DTF", CopyFileA(source, "upper\\EVENT.DTF", FALSE));
  ExpectInt("GetCategories", StartWith("upper", fixtureFolder, MakeDate(1992, 6, 19), ""),
            STANDARD_LIST_SIZE);
  ExpectDataBytes(2, news, sizeof news - 1);
  kavu.ShutDown();
  RemoveTableFolder("upper");
}

/* --- The category list ----------------------------------------------------- */

typedef struct ListedItem {
  int32_t DataType;
  const char* Name;
  int32_t TypeCode;
} ListedItem;

static const ListedItem PermanentItems[] = {
    {10, "News Title", 3},  {11, "Famous Title", 3},   {9, "Introduction Title", 3},
    {8, "Year Title", 3},   {1, "Time Article", 3},    {15, "Entertainment Title", 3},
    {16, "Sport Title", 3}, {19, "Border Graphic", 7},
};

/* Standard items and the additional items of extra\Extras.dtf; the
 * tables come in the directory's order, so only their presence is fixed. */
static const ListedItem TableItems[] = {
    {2, "News Article", 6},
    {3, "Famous Article", 3},
    {4, "Zodiac Article", 6},
    {12, "Zodiac Title", 3},
    {17, "Zodiac Graphic", 7},
    {5, "Chinese Year Article", 3},
    {13, "Chinese Year Title", 3},
    {18, "Chinese Year Graphic", 7},
    {6, "Entertainment Article", 3},
    {7, "Sport Article", 3},
    {14, "Birthstone Article", 3},
    {20, "YearMonth", 1},
    {21, "Flag", 0},
    {22, "Count", 1},
    {23, "Ratio", 2},
    {24, "Label", 3},
    {25, "When", 4},
    {26, "Raw", 5},
    {27, "Note", 6},
    {28, "Picture", 7},
};

#define PERMANENT_COUNT (sizeof PermanentItems / sizeof PermanentItems[0])
#define TABLE_ITEM_COUNT (sizeof TableItems / sizeof TableItems[0])
#define LISTED_COUNT (PERMANENT_COUNT + TABLE_ITEM_COUNT)

static int SameItem(const CategoryRecord* record, const ListedItem* item) {
  return record->DataType == item->DataType && strcmp(record->Name, item->Name) == 0 &&
         record->TypeCode == item->TypeCode;
}

static void ExpectListed(const CategoryRecord* records, size_t first, const ListedItem* item) {
  int count = 0;
  for (size_t i = first; i < LISTED_COUNT; ++i) count += SameItem(&records[i], item);
  ExpectInt(item->Name, count, 1);
}

void TestCategoryList(void) {
  enum { Size = (LISTED_COUNT + 1) * sizeof(CategoryRecord) };
  static CategoryRecord records[LISTED_COUNT + 1];
  static CategoryRecord again[LISTED_COUNT + 1];
  static const char zeros[256];
  char extraFolder[MAX_PATH];
  JoinPath(extraFolder, fixtureFolder, "extra\\");
  kavu.StartUp(fixtureFolder, extraFolder);
  ExpectInt("GetCategories(null) with an additional table", kavu.GetCategories(NULL), Size);
  memset(records, 0xCC, sizeof records);
  ExpectInt("GetCategories(buffer)", kavu.GetCategories(records), Size);
  for (size_t i = 0; i < PERMANENT_COUNT; ++i) {
    ExpectTrue(PermanentItems[i].Name, SameItem(&records[i], &PermanentItems[i]));
  }
  for (size_t i = 0; i < TABLE_ITEM_COUNT; ++i) ExpectListed(records, PERMANENT_COUNT, &TableItems[i]);
  ExpectInt("name bytes after the terminator are not written",
            (unsigned char)records[0].Name[sizeof "News Title"], 0xCC);
  const CategoryRecord* closing = &records[LISTED_COUNT];
  ExpectInt("closing record DataType", closing->DataType, 0);
  ExpectBytes("closing record name", closing->Name, zeros, sizeof zeros);
  ExpectInt("closing record TypeCode is not written", (uint32_t)closing->TypeCode, 0xCCCCCCCCu);
  memset(again, 0xCC, sizeof again);
  kavu.GetCategories(again);
  ExpectBytes("a second GetCategories lists the same", again, records, sizeof records);
  kavu.ShutDown();
}

/* --- Error strings ------------------------------------------------------------- */

static void ExpectErrorString(int32_t code, const char* text) {
  char buffer[128];
  const int32_t size = (int32_t)strlen(text) + 1;
  ExpectInt("GetErrorCode", kavu.GetErrorCode(), code);
  ExpectInt(text, kavu.GetErrorString(NULL), size);
  memset(buffer, 0x5A, sizeof buffer);
  ExpectInt("GetErrorString(buffer)", kavu.GetErrorString(buffer), size);
  ExpectText("GetErrorString text", buffer, text);
  ExpectInt("the byte after the text is untouched", buffer[size], 0x5A);
  ExpectInt("reading the text keeps the code", kavu.GetErrorCode(), code);
}

void TestErrorStrings(void) {
  static const char* const withoutStone[] = {"Birthday.dtf", "Chinese.dtf", "Event.dtf",  "Literat.dtf",
                                             "Movies.dtf",   "Sport.dtf",   "Zodiac.dtf", NULL};
  StartWith(fixtureFolder, "", MakeDate(1992, 6, 19), "Ann Lee");
  DeleteFileA("Zodiac4.wmf");
  ExpectInt("GetData(17) without Zodiac4.wmf", kavu.GetData(17, NULL), -3);
  ExpectErrorString(-3, "Error while retrieving metafile Zodiac4.wmf");
  ExpectInt("GetCategories", kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  ExpectInt("GetErrorString after a size", kavu.GetErrorString(NULL), 0);
  ExpectInt("GetErrorCode after GetErrorString", kavu.GetErrorCode(), 0);
  kavu.ShutDown();

  MakeTableFolder("no_stone", fixtureFolder, withoutStone);
  kavu.StartUp("no_stone", "");
  ExpectInt("GetCategories without Stone", kavu.GetCategories(NULL), -8);
  ExpectErrorString(-8, "One or more standard categories not found");
  kavu.SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
  ExpectDataText(13, "Year of the Monkey");
  ExpectDataError(14, -7);
  kavu.ShutDown();
  RemoveTableFolder("no_stone");

  kavu.StartUp(fixtureFolder, "");
  ExpectInt("GetData before SetDateAndName", kavu.GetData(10, NULL), -16);
  ExpectErrorString(-16, "Date and name was not set yet");
  kavu.ShutDown();
}

/* --- Messages while tables are opened ------------------------------------------------- */

/* GetCategories(null) with standard error going to a file, whose text is
 * returned in messages. */
static int32_t ListCapturingMessages(char* messages, DWORD size) {
  HANDLE original = GetStdHandle(STD_ERROR_HANDLE);
  HANDLE file = CreateFileA("messages.txt", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  SetStdHandle(STD_ERROR_HANDLE, file);
  const int32_t result = kavu.GetCategories(NULL);
  SetStdHandle(STD_ERROR_HANDLE, original);
  DWORD read = 0;
  SetFilePointer(file, 0, NULL, FILE_BEGIN);
  ReadFile(file, messages, size - 1, &read, NULL);
  messages[read] = '\0';
  CloseHandle(file);
  DeleteFileA("messages.txt");
  return result;
}

static void WriteFileBytes(const char* path, const char* bytes, DWORD count) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  WriteFile(file, bytes, count, &written, NULL);
  CloseHandle(file);
}

void TestTableMessages(void) {
  static const char* const tables[] = {FIXTURE_TABLES, NULL};
  char messages[1024];
  char expected[1024];
  char folder[MAX_PATH];

  /* A file that is no table: one message per GetCategories, the others
   * tables open normally. */
  MakeTableFolder("messages", fixtureFolder, tables);
  WriteFileBytes("messages\\Broken.dtf", "not a table", 11);
  kavu.StartUp("messages", "");
  ListCapturingMessages(messages, sizeof messages);
  ExpectText("message of a bad table", messages, "Bad table file\r\n");
  ListCapturingMessages(messages, sizeof messages);
  ExpectText("shown again by the next GetCategories", messages, "Bad table file\r\n");
  kavu.ShutDown();
  DeleteFileA("messages\\Broken.dtf");

  /* A table another process holds without sharing, and an empty file. */
  HANDLE exclusive = CreateFileA("messages\\Locked.dtf", GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
  WriteFileBytes("messages\\Empty.dtf", "", 0);
  GetFullPathNameA("messages", sizeof folder, folder, NULL);
  /* The path shown is the folder as given, with a backslash only where it
   * ends in no separator. */
  static const char* const endings[] = {"", "\\", "/"};
  for (size_t i = 0; i < sizeof endings / sizeof endings[0]; ++i) {
    char given[MAX_PATH];
    snprintf(given, sizeof given, "%s%s", folder, endings[i]);
    kavu.StartUp(given, "");
    const int32_t listed = ListCapturingMessages(messages, sizeof messages);
    ExpectInt("the other tables still open", listed, STANDARD_LIST_SIZE);
    snprintf(expected, sizeof expected, "%s%sLOCKED.DTF## Error opening database table LOCKED TABLE.\r\n",
             given, i == 0 ? "\\" : "");
    ExpectTrue("message of a file that cannot be opened", strstr(messages, expected) != NULL);
    ExpectTrue("message of an empty file",
               strstr(messages, "Error creating file mapping EMPTY TABLE.\r\n") != NULL);
    if (strstr(messages, expected) == NULL) printf("  messages: %s\n", messages);
    kavu.ShutDown();
  }
  CloseHandle(exclusive);
  RemoveTableFolder("messages");
}

/* The Windows test host: loads Kavu32.dll by name and checks it through
 * its seven exports only, as any host program would. */
#ifndef KAVU32_TESTS_WINDOWS_HOST_H
#define KAVU32_TESTS_WINDOWS_HOST_H

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

#include "kavu32.h"

/* --- The library, reached through GetProcAddress ------------------------ */

typedef struct Library {
  HMODULE Module;
  void(WINAPI* StartUp)(const char* firstFolder, const char* secondFolder);
  void(WINAPI* ShutDown)(void);
  void(WINAPI* SetDateAndName)(Kavu32Date date, const char* name);
  int32_t(WINAPI* GetCategories)(CategoryRecord* buffer);
  int32_t(WINAPI* GetData)(int32_t dataType, void* buffer);
  int32_t(WINAPI* GetErrorCode)(void);
  int32_t(WINAPI* GetErrorString)(char* buffer);
} Library;

/* Loads the DLL (Kavu32.dll, or the fault loop's Kavu32Faults.dll) and
 * finds the seven exports; false (and reported) when any is missing. */
int LoadKavu32(Library* library, const char* dllName);

/* The library every test uses. */
extern Library kavu;

/* --- Checks ------------------------------------------------------------- */

void ExpectTrue(const char* what, int condition);
void ExpectInt(const char* what, long long actual, long long expected);
/* The count bytes at actual equal those at expected. */
void ExpectBytes(const char* what, const void* actual, const void* expected, size_t count);
/* actual is the zero-terminated text expected. */
void ExpectText(const char* what, const char* actual, const char* expected);
int FailedCount(void);
int PassedCount(void);

/* --- The fixture and the scratch folder ---------------------------------- */

/* The folder of the eight standard tables, without a trailing separator;
 * its subfolders extra\ (one additional table) and variant\ (an Event
 * table of the same size with other bytes). */
extern char fixtureFolder[MAX_PATH];
/* folder + "\" + name into path (MAX_PATH bytes). */
void JoinPath(char* path, const char* folder, const char* name);

Kavu32Date MakeDate(int year, int month, int day);
/* StartUp, GetCategories (size query) and SetDateAndName in one go;
 * returns what GetCategories returned. */
int32_t StartWith(const char* first, const char* second, Kavu32Date date, const char* name);

/* GetData's two-call protocol: the size query, then the copy into a
 * buffer of that size (zero-filled first). Returns the size and the bytes
 * in a buffer that the caller frees, or the negative result with null. */
int32_t FetchData(int32_t dataType, char** bytes);
/* The data of a text type equals expected (and its size its length + 1). */
void ExpectDataText(int32_t dataType, const char* expected);
/* The data of a memo type is exactly count bytes and a zero. */
void ExpectDataBytes(int32_t dataType, const void* expected, size_t count);
/* GetData of the type answers code on the size query and the copy call. */
void ExpectDataError(int32_t dataType, int32_t code);

/* True when a named file mapping of that name exists. */
int MappingExists(const char* name);

/* Empty files created in, and removed from, the current folder. */
void CreateEmptyFile(const char* name);
/* The files in from whose names are listed (null-terminated), copied into
 * a new folder to (removed first with its files). */
void MakeTableFolder(const char* to, const char* from, const char* const* names);
void RemoveTableFolder(const char* folder);

/* --- Memory the library cannot use ------------------------------------------ */

/* Two pages of read-write memory filled with GUARDED_FILL (no zero byte,
 * and no character the library delivers), followed by one page that
 * cannot be touched; End is the first byte of that page. */
#define GUARDED_FILL 0xA5
typedef struct GuardedPages {
  char* Base;
  char* End;
} GuardedPages;

GuardedPages AllocateGuarded(void);
void FillGuarded(const GuardedPages* pages);
void FreeGuarded(const GuardedPages* pages);
/* The count bytes at bytes all equal value. */
int AllBytesAre(const char* bytes, size_t count, unsigned char value);

/* --- Structured exceptions ------------------------------------------------ */

typedef struct CaughtException {
  DWORD Code;
  DWORD Flags;
  DWORD ParameterCount;
  char Message[256];
} CaughtException;

/* Runs call(context) and returns 1 with caught filled when it raised the
 * library's structured exception, 0 when it returned normally. */
int RunGuarded(void (*call)(void* context), void* context, CaughtException* caught);

/* --- Test groups ------------------------------------------------------------ */

void TestFreshLibrary(void);
void TestEndToEnd(void);
void TestTwoFolders(void);
void TestCategoryList(void);
void TestDataTypes(void);
void TestErrorStrings(void);
void TestUnwritableBuffers(void);
void TestHostileArguments(void);
void TestExceptions(void);
void TestTableMessages(void);
void TestTwoProcesses(const char* hostPath);
/* Run against Kavu32Faults.dll only. */
void TestSystemCallFaults(void);

/* The second process of TestTwoProcesses; returns its failed count. */
int RunSharingChild(void);

#endif

/* Loading the library, the checks and their counts, and the helpers the
 * test groups share. */
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "host.h"

Library kavu;
char fixtureFolder[MAX_PATH];

/* --- Loading -------------------------------------------------------------- */

static int FindExport(HMODULE module, const char* name, void* function) {
  FARPROC address = GetProcAddress(module, name);
  ExpectTrue(name, address != NULL);
  memcpy(function, &address, sizeof address);
  return address != NULL;
}

int LoadKavu32(Library* library, const char* dllName) {
  HMODULE module = library->Module = LoadLibraryA(dllName);
  ExpectTrue(dllName, module != NULL);
  if (module == NULL) return 0;
  int found = FindExport(module, "StartUp", &library->StartUp);
  found &= FindExport(module, "ShutDown", &library->ShutDown);
  found &= FindExport(module, "SetDateAndName", &library->SetDateAndName);
  found &= FindExport(module, "GetCategories", &library->GetCategories);
  found &= FindExport(module, "GetData", &library->GetData);
  found &= FindExport(module, "GetErrorCode", &library->GetErrorCode);
  found &= FindExport(module, "GetErrorString", &library->GetErrorString);
  return found;
}

/* --- Checks ----------------------------------------------------------------- */

static int passed;
static int failed;

void ExpectTrue(const char* what, int condition) {
  if (condition) {
    ++passed;
    return;
  }
  ++failed;
  printf("FAILED: %s\n", what);
}

void ExpectInt(const char* what, long long actual, long long expected) {
  ExpectTrue(what, actual == expected);
  if (actual != expected) printf("  got %lld, expected %lld\n", actual, expected);
}

static void PrintBytes(const char* label, const void* bytes, size_t count) {
  printf("  %s \"", label);
  for (size_t i = 0; i < count; ++i) {
    const unsigned char c = ((const unsigned char*)bytes)[i];
    if (c >= 32 && c < 127 && c != '\\') {
      putchar(c);
    } else {
      printf("\\x%02x", c);
    }
  }
  printf("\"\n");
}

void ExpectBytes(const char* what, const void* actual, const void* expected, size_t count) {
  const int equal = memcmp(actual, expected, count) == 0;
  ExpectTrue(what, equal);
  if (!equal) {
    PrintBytes("got     ", actual, count);
    PrintBytes("expected", expected, count);
  }
}

void ExpectText(const char* what, const char* actual, const char* expected) {
  const int equal = strcmp(actual, expected) == 0;
  ExpectTrue(what, equal);
  if (!equal) {
    PrintBytes("got     ", actual, strlen(actual));
    PrintBytes("expected", expected, strlen(expected));
  }
}

int FailedCount(void) { return failed; }
int PassedCount(void) { return passed; }

/* --- Folders and files ----------------------------------------------------------- */

void JoinPath(char* path, const char* folder, const char* name) {
  snprintf(path, MAX_PATH, "%s\\%s", folder, name);
}

int MappingExists(const char* name) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
  if (mapping != NULL) CloseHandle(mapping);
  return mapping != NULL;
}

void CreateEmptyFile(const char* name) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  ExpectTrue(name, file != INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

void RemoveTableFolder(const char* folder) {
  char pattern[MAX_PATH];
  char path[MAX_PATH];
  WIN32_FIND_DATAA found;
  JoinPath(pattern, folder, "*");
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      JoinPath(path, folder, found.cFileName);
      SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder);
}

void MakeTableFolder(const char* to, const char* from, const char* const* names) {
  char source[MAX_PATH];
  char target[MAX_PATH];
  RemoveTableFolder(to);
  CreateDirectoryA(to, NULL);
  for (; *names != NULL; ++names) {
    JoinPath(source, from, *names);
    JoinPath(target, to, *names);
    ExpectTrue(target, CopyFileA(source, target, FALSE));
  }
}

/* --- The two-call protocol ------------------------------------------------------ */

Kavu32Date MakeDate(int year, int month, int day) {
  Kavu32Date date = {0};
  date.Year = (uint16_t)year;
  date.Month = (uint16_t)month;
  date.Day = (uint16_t)day;
  return date;
}

int32_t StartWith(const char* first, const char* second, Kavu32Date date, const char* name) {
  kavu.StartUp(first, second);
  const int32_t listed = kavu.GetCategories(NULL);
  kavu.SetDateAndName(date, name);
  return listed;
}

int32_t FetchData(int32_t dataType, char** bytes) {
  *bytes = NULL;
  const int32_t size = kavu.GetData(dataType, NULL);
  if (size <= 0) return size;
  char* buffer = calloc((size_t)size, 1);
  const int32_t copied = kavu.GetData(dataType, buffer);
  if (copied != size) {
    printf("  type %ld: size query %ld, copy call %ld\n", (long)dataType, (long)size, (long)copied);
    free(buffer);
    return copied < 0 ? copied : -1000;
  }
  *bytes = buffer;
  return size;
}

static void ExpectDataSized(int32_t dataType, const void* expected, size_t count) {
  char what[64];
  char* bytes = NULL;
  const int32_t size = FetchData(dataType, &bytes);
  snprintf(what, sizeof what, "GetData(%ld) size", (long)dataType);
  ExpectInt(what, size, (long long)count + 1);
  if (bytes == NULL || size != (int32_t)count + 1) {
    free(bytes);
    return;
  }
  snprintf(what, sizeof what, "GetData(%ld) bytes and terminator", (long)dataType);
  ExpectBytes(what, bytes, expected, count);
  ExpectInt(what, bytes[count], 0);
  snprintf(what, sizeof what, "GetErrorCode after GetData(%ld)", (long)dataType);
  ExpectInt(what, kavu.GetErrorCode(), size);
  free(bytes);
}

void ExpectDataText(int32_t dataType, const char* expected) {
  ExpectDataSized(dataType, expected, strlen(expected));
}

void ExpectDataBytes(int32_t dataType, const void* expected, size_t count) {
  ExpectDataSized(dataType, expected, count);
}

void ExpectDataError(int32_t dataType, int32_t code) {
  char what[64];
  char buffer[512];
  memset(buffer, 0x5A, sizeof buffer);
  snprintf(what, sizeof what, "GetData(%ld, null)", (long)dataType);
  ExpectInt(what, kavu.GetData(dataType, NULL), code);
  snprintf(what, sizeof what, "GetData(%ld, buffer)", (long)dataType);
  ExpectInt(what, kavu.GetData(dataType, buffer), code);
  ExpectInt("GetErrorCode", kavu.GetErrorCode(), code);
  ExpectTrue("buffer untouched", AllBytesAre(buffer, sizeof buffer, 0x5A));
}

/* --- Memory the library cannot use ------------------------------------------------ */

GuardedPages AllocateGuarded(void) {
  enum { WritablePages = 2 };
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  GuardedPages pages;
  pages.Base =
      VirtualAlloc(NULL, (WritablePages + 1) * system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  pages.End = pages.Base + WritablePages * system.dwPageSize;
  DWORD previous;
  VirtualProtect(pages.End, system.dwPageSize, PAGE_NOACCESS, &previous);
  FillGuarded(&pages);
  return pages;
}

void FillGuarded(const GuardedPages* pages) {
  memset(pages->Base, GUARDED_FILL, (size_t)(pages->End - pages->Base));
}

void FreeGuarded(const GuardedPages* pages) { VirtualFree(pages->Base, 0, MEM_RELEASE); }

int AllBytesAre(const char* bytes, size_t count, unsigned char value) {
  for (size_t i = 0; i < count; ++i) {
    if ((unsigned char)bytes[i] != value) return 0;
  }
  return 1;
}

/* --- Structured exceptions --------------------------------------------------------- */

/* A vectored handler sees the library's exception first and jumps back to
 * RunGuarded; msvcrt's longjmp unwinds the frames it leaves. Every other
 * exception goes on to its own handlers (IsBadWritePtr catches its own). */
static jmp_buf guardPoint;
static CaughtException* guardTarget;

static LONG CALLBACK CatchKavu32Exception(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (guardTarget == NULL || record->ExceptionCode != KAVU32_EXCEPTION_CODE) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  guardTarget->Code = record->ExceptionCode;
  guardTarget->Flags = record->ExceptionFlags;
  guardTarget->ParameterCount = record->NumberParameters;
  guardTarget->Message[0] = '\0';
  if (record->NumberParameters >= 1 && record->ExceptionInformation[0] != 0) {
    lstrcpynA(guardTarget->Message, (const char*)record->ExceptionInformation[0],
              sizeof guardTarget->Message);
  }
  longjmp(guardPoint, 1);
}

int RunGuarded(void (*call)(void* context), void* context, CaughtException* caught) {
  static PVOID handler;
  if (handler == NULL) handler = AddVectoredExceptionHandler(1, CatchKavu32Exception);
  memset(caught, 0, sizeof *caught);
  guardTarget = caught;
  int raised = 0;
  if (setjmp(guardPoint) == 0) {
    call(context);
  } else {
    raised = 1;
  }
  guardTarget = NULL;
  return raised;
}

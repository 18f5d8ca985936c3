/* The fault loop over the Win32 calls of Kavu32Faults.dll, through the two
 * exports it adds to the seven: a whole session runs once to count the
 * calls the library makes, then once per call with that call failing
 * (with each error it can return), then once more with none failing.
 * Every faulted session ends in results the library defines (a negative
 * code, or fewer categories when a table was shown as bad) and releases
 * every handle, view and search it took; the clean session at the end
 * gives exactly the results of the first. */
#include <stdio.h>
#include <string.h>

#include "fixture.h"
#include "host.h"

/* --- Counting and failing ---------------------------------------------------- */

enum Entry {
  EntryFindFirstFileA,
  EntryFindNextFileA,
  EntryFindClose,
  EntryCompareStringA,
  EntryCharUpperBuffA,
  EntryOpenFileMappingA,
  EntryCreateFileA,
  EntryCreateFileMappingA,
  EntryGetFileSize,
  EntryMapViewOfFile,
  EntryVirtualQuery,
  EntryUnmapViewOfFile,
  EntryCloseHandle,
  EntryGetFileAttributesA,
  EntryIsBadStringPtrA,
  EntryIsBadWritePtr,
  EntryGetLocalTime,
  EntryWriteFile,
  EntryCount
};

#define MAX_CALLS 4096

/* The calls of a session are numbered from 0; the one numbered failAt
 * fails with failError (-1: none fails). */
static long callCount;
static long failAt = -1;
static DWORD failError;
static unsigned char calledEntries[MAX_CALLS];

/* What the library holds, and the messages it showed. */
static int openHandles;
static int openViews;
static int openSearches;
static int messagesShown;

static int Fails(enum Entry entry) {
  const long call = callCount++;
  if (call < MAX_CALLS) calledEntries[call] = (unsigned char)entry;
  if (call != failAt) return 0;
  SetLastError(failError);
  return 1;
}

static HANDLE Held(HANDLE handle, HANDLE none, int* count) {
  if (handle != none) ++*count;
  return handle;
}

static HANDLE WINAPI FaultyFindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found) {
  if (Fails(EntryFindFirstFileA)) return INVALID_HANDLE_VALUE;
  return Held(FindFirstFileA(pattern, found), INVALID_HANDLE_VALUE, &openSearches);
}
static BOOL WINAPI FaultyFindNextFileA(HANDLE search, WIN32_FIND_DATAA* found) {
  return Fails(EntryFindNextFileA) ? FALSE : FindNextFileA(search, found);
}
static BOOL WINAPI FaultyFindClose(HANDLE search) {
  Fails(EntryFindClose);
  --openSearches;
  return FindClose(search);
}
static int WINAPI FaultyCompareStringA(LCID locale, DWORD flags, LPCSTR a, int aLength, LPCSTR b,
                                       int bLength) {
  Fails(EntryCompareStringA);
  return CompareStringA(locale, flags, a, aLength, b, bLength);
}
static DWORD WINAPI FaultyCharUpperBuffA(LPSTR text, DWORD length) {
  Fails(EntryCharUpperBuffA);
  return CharUpperBuffA(text, length);
}
static HANDLE WINAPI FaultyOpenFileMappingA(DWORD access, BOOL inherit, LPCSTR name) {
  if (Fails(EntryOpenFileMappingA)) return NULL;
  return Held(OpenFileMappingA(access, inherit, name), NULL, &openHandles);
}
static HANDLE WINAPI FaultyCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                       DWORD creation, DWORD attributes, HANDLE templateFile) {
  if (Fails(EntryCreateFileA)) return INVALID_HANDLE_VALUE;
  return Held(CreateFileA(path, access, share, security, creation, attributes, templateFile),
              INVALID_HANDLE_VALUE, &openHandles);
}
static HANDLE WINAPI FaultyCreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protection,
                                              DWORD sizeHigh, DWORD sizeLow, LPCSTR name) {
  if (Fails(EntryCreateFileMappingA)) return NULL;
  return Held(CreateFileMappingA(file, security, protection, sizeHigh, sizeLow, name), NULL, &openHandles);
}
static DWORD WINAPI FaultyGetFileSize(HANDLE file, LPDWORD sizeHigh) {
  return Fails(EntryGetFileSize) ? INVALID_FILE_SIZE : GetFileSize(file, sizeHigh);
}
static LPVOID WINAPI FaultyMapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                         SIZE_T length) {
  if (Fails(EntryMapViewOfFile)) return NULL;
  return Held(MapViewOfFile(mapping, access, offsetHigh, offsetLow, length), NULL, &openViews);
}
static SIZE_T WINAPI FaultyVirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION region, SIZE_T size) {
  return Fails(EntryVirtualQuery) ? 0 : VirtualQuery(address, region, size);
}
static BOOL WINAPI FaultyUnmapViewOfFile(LPCVOID address) {
  Fails(EntryUnmapViewOfFile);
  --openViews;
  return UnmapViewOfFile(address);
}
static BOOL WINAPI FaultyCloseHandle(HANDLE handle) {
  Fails(EntryCloseHandle);
  --openHandles;
  return CloseHandle(handle);
}
static DWORD WINAPI FaultyGetFileAttributesA(LPCSTR path) {
  return Fails(EntryGetFileAttributesA) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path);
}
static BOOL WINAPI FaultyIsBadStringPtrA(LPCSTR text, UINT_PTR maximum) {
  Fails(EntryIsBadStringPtrA);
  return IsBadStringPtrA(text, maximum);
}
static BOOL WINAPI FaultyIsBadWritePtr(LPVOID address, UINT_PTR size) {
  return Fails(EntryIsBadWritePtr) ? TRUE : IsBadWritePtr(address, size);
}
static void WINAPI FaultyGetLocalTime(LPSYSTEMTIME now) {
  Fails(EntryGetLocalTime);
  GetLocalTime(now);
}
/* The library writes only its messages (KAVU32_MESSAGES=stderr): counted,
 * and kept out of the suite's output. */
static BOOL WINAPI FaultyWriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                                   LPOVERLAPPED overlapped) {
  (void)file;
  (void)bytes;
  (void)overlapped;
  Fails(EntryWriteFile);
  ++messagesShown;
  *written = count;
  return TRUE;
}

typedef struct FaultEntry {
  const char* Name;
  void* Replacement;
  /* What the call can fail with, ending in 0; none: only counted. */
  DWORD Errors[5];
} FaultEntry;

#define REPLACEMENT(name) (void*)(uintptr_t)(Faulty##name)

static const FaultEntry Entries[EntryCount] = {
    {"FindFirstFileA",
     REPLACEMENT(FindFirstFileA),
     {ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY, ERROR_PATH_NOT_FOUND}},
    {"FindNextFileA", REPLACEMENT(FindNextFileA), {ERROR_NOT_ENOUGH_MEMORY, ERROR_NETNAME_DELETED}},
    {"FindClose", REPLACEMENT(FindClose), {0}},
    {"CompareStringA", REPLACEMENT(CompareStringA), {0}},
    {"CharUpperBuffA", REPLACEMENT(CharUpperBuffA), {0}},
    {"OpenFileMappingA", REPLACEMENT(OpenFileMappingA), {ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY}},
    {"CreateFileA",
     REPLACEMENT(CreateFileA),
     {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_ENOUGH_MEMORY}},
    {"CreateFileMappingA",
     REPLACEMENT(CreateFileMappingA),
     {ERROR_NOT_ENOUGH_MEMORY, ERROR_COMMITMENT_LIMIT, ERROR_ACCESS_DENIED}},
    {"GetFileSize", REPLACEMENT(GetFileSize), {ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY}},
    {"MapViewOfFile", REPLACEMENT(MapViewOfFile), {ERROR_NOT_ENOUGH_MEMORY, ERROR_ACCESS_DENIED}},
    {"VirtualQuery", REPLACEMENT(VirtualQuery), {ERROR_INVALID_PARAMETER}},
    {"UnmapViewOfFile", REPLACEMENT(UnmapViewOfFile), {0}},
    {"CloseHandle", REPLACEMENT(CloseHandle), {0}},
    {"GetFileAttributesA",
     REPLACEMENT(GetFileAttributesA),
     {ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ERROR_NOT_ENOUGH_MEMORY}},
    {"IsBadStringPtrA", REPLACEMENT(IsBadStringPtrA), {0}},
    {"IsBadWritePtr", REPLACEMENT(IsBadWritePtr), {ERROR_NOACCESS}},
    {"GetLocalTime", REPLACEMENT(GetLocalTime), {0}},
    {"WriteFile", REPLACEMENT(WriteFile), {0}},
};

typedef int(__cdecl* SetSystemCallExport)(const char* name, void* fn);
typedef void(__cdecl* ResetSystemCallsExport)(void);

static ResetSystemCallsExport resetSystemCalls;

/* Every entry replaced; false (and reported) when the DLL lacks the two
 * exports. */
static int ReplaceSystemCalls(void) {
  FARPROC set = GetProcAddress(kavu.Module, "Kavu32SetSystemCall");
  FARPROC reset = GetProcAddress(kavu.Module, "Kavu32ResetSystemCalls");
  ExpectTrue("Kavu32Faults.dll exports Kavu32SetSystemCall and Kavu32ResetSystemCalls",
             set != NULL && reset != NULL);
  if (set == NULL || reset == NULL) return 0;
  SetSystemCallExport setSystemCall;
  memcpy(&setSystemCall, &set, sizeof set);
  memcpy(&resetSystemCalls, &reset, sizeof reset);
  ExpectInt("an unknown name is refused", setSystemCall("NoSuchCall", REPLACEMENT(CloseHandle)), 0);
  for (int i = 0; i < EntryCount; ++i) {
    ExpectInt(Entries[i].Name, setSystemCall(Entries[i].Name, Entries[i].Replacement), 1);
  }
  return 1;
}

/* --- The session ------------------------------------------------------------------ */

#define FIRST_TYPE 1
#define LAST_TYPE 29
enum { CategoriesStep, FirstDataStep, StepCount = FirstDataStep + LAST_TYPE - FIRST_TYPE + 1 };

/* One two-call exchange: the size query's result, then the filling call's
 * result and a digest of what it wrote. */
typedef struct Step {
  int32_t Result;
  int32_t Written;
  unsigned long long Digest;
} Step;

typedef struct Transcript {
  Step Steps[StepCount];
} Transcript;

static unsigned long long Digest(const char* bytes, size_t count) {
  unsigned long long hash = 14695981039346656037ull;
  for (size_t i = 0; i < count; ++i) hash = (hash ^ (unsigned char)bytes[i]) * 1099511628211ull;
  return hash;
}

static char buffer[64 * 1024];

static Step Exchange(int32_t (*call)(int32_t argument, void* buffer), int32_t argument) {
  Step step = {call(argument, NULL), 0, 0};
  if (step.Result <= 0 || step.Result > (int32_t)sizeof buffer) return step;
  memset(buffer, 0x5A, (size_t)step.Result);
  step.Written = call(argument, buffer);
  if (step.Written > 0) step.Digest = Digest(buffer, (size_t)step.Result);
  return step;
}

static int32_t CallGetCategories(int32_t unused, void* list) {
  (void)unused;
  return kavu.GetCategories(list);
}
static int32_t CallGetData(int32_t dataType, void* data) { return kavu.GetData(dataType, data); }

static void RunSession(Transcript* transcript) {
  char extraFolder[MAX_PATH];
  JoinPath(extraFolder, fixtureFolder, "extra");
  memset(transcript, 0, sizeof *transcript);
  kavu.StartUp(fixtureFolder, extraFolder);
  transcript->Steps[CategoriesStep] = Exchange(CallGetCategories, 0);
  kavu.SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
  for (int32_t type = FIRST_TYPE; type <= LAST_TYPE; ++type) {
    transcript->Steps[FirstDataStep + type - FIRST_TYPE] = Exchange(CallGetData, type);
  }
  kavu.ShutDown();
}

/* --- What a faulted session may end in ------------------------------------------- */

static int IsErrorCode(int32_t result) { return result < 0 && result >= -16; }

/* The step as the clean session had it, or a failure the library defines:
 * a negative code; fewer categories where a table was shown as bad or a
 * folder could not be searched (it yields nothing, and says nothing). */
static int IsDefined(const Step* step, const Step* clean, int fewerCategories) {
  if (memcmp(step, clean, sizeof *step) == 0 || IsErrorCode(step->Result)) return 1;
  if (step->Result != clean->Result && !(fewerCategories && step->Result < clean->Result)) return 0;
  return IsErrorCode(step->Written) ||
         (fewerCategories && step->Written > 0 && step->Written <= step->Result);
}

static int FaultedSessionIsDefined(const Transcript* faulted, const Transcript* clean, int searchFailed) {
  int defined = openHandles == 0 && openViews == 0 && openSearches == 0;
  for (int i = 0; i < StepCount; ++i) {
    const int fewerCategories = i == CategoriesStep && (messagesShown > 0 || searchFailed);
    if (IsDefined(&faulted->Steps[i], &clean->Steps[i], fewerCategories)) continue;
    printf("  step %d: %ld then %ld, clean %ld then %ld\n", i, (long)faulted->Steps[i].Result,
           (long)faulted->Steps[i].Written, (long)clean->Steps[i].Result, (long)clean->Steps[i].Written);
    defined = 0;
  }
  return defined;
}

void TestSystemCallFaults(void) {
  static Transcript clean;
  static Transcript faulted;
  static unsigned char entries[MAX_CALLS];
  if (!ReplaceSystemCalls()) return;
  CreateEmptyFile("Border.wmf");
  CreateEmptyFile("Zodiac4.wmf");
  CreateEmptyFile("Chines8.wmf");

  callCount = 0;
  RunSession(&clean);
  ExpectInt("the clean session lists every category", clean.Steps[CategoriesStep].Written,
            EXTENDED_LIST_SIZE);
  const long calls = callCount;
  ExpectTrue("calls counted", calls > 0 && calls <= MAX_CALLS);
  memcpy(entries, calledEntries, sizeof entries);

  long sessions = 0;
  long undefined = 0;
  for (long k = 0; k < calls && k < MAX_CALLS; ++k) {
    const FaultEntry* entry = &Entries[entries[k]];
    for (const DWORD* error = entry->Errors; *error != 0; ++error) {
      callCount = messagesShown = 0;
      failAt = k;
      failError = *error;
      RunSession(&faulted);
      ++sessions;
      const int searchFailed = entries[k] == EntryFindFirstFileA || entries[k] == EntryFindNextFileA;
      if (FaultedSessionIsDefined(&faulted, &clean, searchFailed)) continue;
      printf("  call %ld (%s) failing with error %lu\n", k, entry->Name, (unsigned long)*error);
      ++undefined;
    }
  }
  ExpectInt("faulted sessions that end otherwise than defined", undefined, 0);

  failAt = -1;
  RunSession(&faulted);
  ExpectBytes("the clean session after the faults", &faulted, &clean, sizeof clean);
  ExpectTrue("every handle, view and search released",
             openHandles == 0 && openViews == 0 && openSearches == 0);
  printf("%ld Win32 calls in a session; %ld sessions with one failing\n", calls, sessions);
  resetSystemCalls();
  callCount = 0;
  RunSession(&faulted);
  ExpectInt("no call reaches the replacements after the reset", callCount, 0);

  DeleteFileA("Border.wmf");
  DeleteFileA("Zodiac4.wmf");
  DeleteFileA("Chines8.wmf");
}

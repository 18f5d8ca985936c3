// The system calls the platform layer makes, in one table that tests can
// override by name, as a virtual file system would: a failing mmap, a
// closed directory, a fixed clock. Outside tests the table holds the real
// calls. Each platform has its own table and its own names; a replacement
// must have its entry's signature exactly (on Windows also its WINAPI
// calling convention).
//
// Entries of the POSIX layer and the signature a replacement must have:
//   "open"        int (const char* path, int flags)
//   "close"       int (int fd)
//   "read"        ssize_t (int fd, void* buffer, size_t count)
//   "write"       ssize_t (int fd, const void* bytes, size_t count)
//   "fstat"       int (int fd, struct stat* status)
//   "stat"        int (const char* path, struct stat* status)
//   "fstatat"     int (int dirFd, const char* name, struct stat* status, int flags)
//   "opendir"     DIR* (const char* path)
//   "readdir"     struct dirent* (DIR* dir)
//   "closedir"    int (DIR* dir)
//   "mmap"        void* (void* address, size_t length, int protection, int flags,
//                        int fd, off_t offset)
//   "munmap"      int (void* address, size_t length)
//   "madvise"     int (void* address, size_t length, int advice)
//   "getcwd"      char* (char* buffer, size_t size)
//   "process_vm_readv" ssize_t (pid_t pid, const struct iovec* local, unsigned long localCount,
//                        const struct iovec* remote, unsigned long remoteCount,
//                        unsigned long flags)
//   "localtime_r" struct tm* (const time_t* time, struct tm* parts)
//   "time"        time_t (time_t* result)
//   "dirfd"       int (DIR* dir)
//   "sysconf"     long (int name)
//   "getpid"      pid_t ()
//   "nl_langinfo" char* (nl_item item)
//   "setlocale"   char* (int category, const char* locale)
//   "today"       kavu32::platform::LocalDate () -- Today()'s clock
//
// Entries of the Win32 layer, each named and typed as the Win32 function
// it stands for (a replacement that fails reports its error with
// SetLastError, as the real call does):
//   "FindFirstFileA"       HANDLE (LPCSTR pattern, WIN32_FIND_DATAA* found)
//   "FindNextFileA"        BOOL (HANDLE search, WIN32_FIND_DATAA* found)
//   "FindClose"            BOOL (HANDLE search)
//   "CompareStringA"       int (LCID locale, DWORD flags, LPCSTR a, int aLength,
//                               LPCSTR b, int bLength)
//   "CharUpperBuffA"       DWORD (LPSTR text, DWORD length)
//   "OpenFileMappingA"     HANDLE (DWORD access, BOOL inherit, LPCSTR name)
//   "CreateFileA"          HANDLE (LPCSTR path, DWORD access, DWORD share,
//                                  SECURITY_ATTRIBUTES* security, DWORD creation,
//                                  DWORD attributes, HANDLE templateFile)
//   "CreateFileMappingA"   HANDLE (HANDLE file, SECURITY_ATTRIBUTES* security,
//                                  DWORD protection, DWORD sizeHigh, DWORD sizeLow,
//                                  LPCSTR name)
//   "GetFileSize"          DWORD (HANDLE file, DWORD* sizeHigh)
//   "MapViewOfFile"        LPVOID (HANDLE mapping, DWORD access, DWORD offsetHigh,
//                                  DWORD offsetLow, SIZE_T length)
//   "VirtualQuery"         SIZE_T (LPCVOID address, MEMORY_BASIC_INFORMATION* region,
//                                  SIZE_T size)
//   "UnmapViewOfFile"      BOOL (LPCVOID address)
//   "CloseHandle"          BOOL (HANDLE handle)
//   "GetFileAttributesA"   DWORD (LPCSTR path)
//   "IsBadStringPtrA"      BOOL (LPCSTR text, UINT_PTR maximum)
//   "IsBadWritePtr"        BOOL (LPVOID address, UINT_PTR size)
//   "GetLocalTime"         void (SYSTEMTIME* now) -- Today()'s clock
//   "GetCurrentDirectoryA" DWORD (DWORD size, LPSTR buffer)
//   "GetStdHandle"         HANDLE (DWORD which)
//   "WriteFile"            BOOL (HANDLE file, LPCVOID bytes, DWORD count,
//                                DWORD* written, OVERLAPPED* overlapped)
//   "MessageBoxA"          int (HWND owner, LPCSTR text, LPCSTR caption, UINT type)
//   "GetSystemDefaultLCID" LCID ()
//   "GetLocaleInfoA"       int (LCID locale, LCTYPE item, LPSTR buffer, int size)
//   "IsDBCSLeadByte"       BOOL (BYTE c)
// The regional settings are read when the library loads, before a test can
// replace an entry.
//
// A Windows host reaches the table only through a test build of the DLL,
// Kavu32Faults.dll (tests/windows), which adds two exports to the seven:
//   int Kavu32SetSystemCall(const char* name, void* fn)  -- SetSystemCall
//   void Kavu32ResetSystemCalls(void)                    -- ResetSystemCalls
// The shipped Kavu32.dll exports the seven functions only.
#ifndef KAVU32_PLATFORM_SYSTEM_CALLS_H
#define KAVU32_PLATFORM_SYSTEM_CALLS_H

#include "platform/platform.h"

namespace kavu32::platform {

// Replaces the entry called name with fn, which must have that entry's
// signature. False, and nothing changed, for a name the table lacks.
bool SetSystemCall(const char* name, void* fn);

template <typename Function>
bool SetSystemCall(const char* name, Function* fn) {
  return SetSystemCall(name, reinterpret_cast<void*>(fn));
}

// Every entry back to the real call.
void ResetSystemCalls();

// The signature of the "today" entry.
using TodayCall = LocalDate (*)();

}  // namespace kavu32::platform

#endif

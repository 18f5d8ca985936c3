// The system calls the platform layer makes, in one table that tests can
// override by name, as a virtual file system would: a failing mmap, a
// closed directory, a fixed clock. Outside tests the table holds the real
// calls.
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

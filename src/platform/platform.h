// The operating system, behind one small interface. Nothing outside this
// folder includes a system header: os_posix.cc serves Linux, os_win32.cc
// the Windows DLL. Both make their system calls through a table
// (system_calls.h) that tests can override to inject faults.
#ifndef KAVU32_PLATFORM_PLATFORM_H
#define KAVU32_PLATFORM_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/regional_settings.h"

namespace kavu32 {
class Error;
}

namespace kavu32::platform {

// The folder separator appended to a data folder that lacks one.
extern const char FolderSeparator;
// True when c ends a folder path: '/' and '\\' on Windows; only '/' on
// Linux, where a backslash is an ordinary character of a file name.
bool IsFolderSeparator(char c);
// A found file name as it goes into a path: upper-cased where file names
// ignore case (Windows), unchanged where they do not (Linux).
std::string FileNameInPath(const std::string& fileName);

// --- Directory search -------------------------------------------------

// The names (no folder) of the table files in folder, which ends in a
// separator, in the directory's own order: files matching "*.dtf" in any
// letter case, skipping hidden, system, volume-label and directory entries
// (on Linux: names beginning with "." and anything not a regular file).
// A folder that cannot be searched, or whose listing fails part way,
// yields nothing.
std::vector<std::string> FindTableFiles(const std::string& folder);

// --- Text in the user's locale ------------------------------------------

// <0, 0, >0 comparing a and b without regard to case. Linux folds the
// ASCII letters only, byte by byte; Windows uses the user's locale.
int CompareTextIgnoreCase(const std::string& a, const std::string& b);
// The text upper-cased: ASCII letters on Linux, the user's locale on
// Windows.
std::string UpperCase(const std::string& text);

// --- Named read-only mappings ---------------------------------------------
//
// The steps of opening a shared table, as the Windows kernel offers them.
// Handles are opaque; 0 is "none". On Linux there are no named kernel
// mappings: OpenNamedMapping finds nothing and the file itself is mapped
// MAP_SHARED, so processes share its pages through the page cache; the
// mapping keeps the file open and its name is not used. Each handle is
// released with CloseHandle, in any order.

using Handle = intptr_t;

// The existing mapping of that name, or 0.
Handle OpenNamedMapping(const std::string& name);
// The file opened for reading (sharing reads), or 0.
Handle OpenFileForRead(const std::string& path);
// A read-only mapping of the whole file under name, or 0.
Handle CreateNamedMapping(Handle file, const std::string& name);
// The file's size in bytes; none when it cannot be read.
std::optional<int64_t> GetFileSize(Handle file);

struct View {
  const uint8_t* Address = nullptr;  // null when mapping failed
  int64_t Size{};                    // the bytes readable from Address
};
// A read-only view of the whole mapping, as long as the file was when the
// mapping was made (Windows) or the file first sized (Linux) (a null
// address when it cannot be made). A mapping of an empty file gives a
// view of size 0 with a non-null address.
View MapView(Handle mapping);
void UnmapView(const View& view);
void CloseHandle(Handle handle);

// --- Files, buffers, clock, messages -----------------------------------------

// True when path names an existing file (a folder does not count),
// resolved against the current folder when relative.
bool FileExists(const std::string& path);

// Copies the zero-terminated text a caller passed (null gives empty text)
// into out; false, with out empty, when reading it would fault.
bool ReadHostText(const char* text, std::string& out);

// True when all size bytes from address are writable; writes nothing.
// A null address or size 0 at a null address is not writable.
bool IsWritable(const void* address, size_t size);

struct LocalDate {
  int Year;
  int Month;
  int Day;
  friend bool operator==(const LocalDate&, const LocalDate&) = default;
};
// Today in local time; all zero when the clock cannot be read.
LocalDate Today();

// The process's current folder, without a trailing separator (except the
// root folder itself); empty when it cannot be read.
std::string CurrentDirectory();

// Shows text to the user (Windows: a modal box with an OK button; Linux:
// one line on standard error).
void ShowMessage(const std::string& text);

// The regional settings of the system's default locale (Linux: the
// process's locale), defaults where it has nothing to say and exactly the
// defaults under the C or POSIX locale.
RegionalSettings ReadRegionalSettings();

// Hands a wrong-state failure to the host: Linux rethrows it as the C++
// exception; Windows raises a structured exception carrying the message.
[[noreturn]] void RaiseToHost(const Error& error);

}  // namespace kavu32::platform

#endif

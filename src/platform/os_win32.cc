// The platform layer of Kavu32.dll: the Win32 kernel and user calls, every
// one made through the overridable table of system_calls.h. GetLastError
// is read directly (a replacement reports its failure with SetLastError),
// and RaiseException, the hand-over of a failure to the host, is called
// directly.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/call_table.h"
#include "platform/platform.h"
#include "platform/system_calls.h"
#include "support/error.h"

namespace kavu32::platform {

namespace {

struct SystemCalls {
  decltype(&::FindFirstFileA) FindFirstFileA = &::FindFirstFileA;
  decltype(&::FindNextFileA) FindNextFileA = &::FindNextFileA;
  decltype(&::FindClose) FindClose = &::FindClose;
  decltype(&::CompareStringA) CompareStringA = &::CompareStringA;
  decltype(&::CharUpperBuffA) CharUpperBuffA = &::CharUpperBuffA;
  decltype(&::OpenFileMappingA) OpenFileMappingA = &::OpenFileMappingA;
  decltype(&::CreateFileA) CreateFileA = &::CreateFileA;
  decltype(&::CreateFileMappingA) CreateFileMappingA = &::CreateFileMappingA;
  decltype(&::GetFileSize) GetFileSize = &::GetFileSize;
  decltype(&::MapViewOfFile) MapViewOfFile = &::MapViewOfFile;
  decltype(&::VirtualQuery) VirtualQuery = &::VirtualQuery;
  decltype(&::UnmapViewOfFile) UnmapViewOfFile = &::UnmapViewOfFile;
  decltype(&::CloseHandle) CloseHandle = &::CloseHandle;
  decltype(&::GetFileAttributesA) GetFileAttributesA = &::GetFileAttributesA;
  decltype(&::IsBadStringPtrA) IsBadStringPtrA = &::IsBadStringPtrA;
  decltype(&::IsBadWritePtr) IsBadWritePtr = &::IsBadWritePtr;
  decltype(&::GetLocalTime) GetLocalTime = &::GetLocalTime;
  decltype(&::GetCurrentDirectoryA) GetCurrentDirectoryA = &::GetCurrentDirectoryA;
  decltype(&::GetStdHandle) GetStdHandle = &::GetStdHandle;
  decltype(&::WriteFile) WriteFile = &::WriteFile;
  decltype(&::MessageBoxA) MessageBoxA = &::MessageBoxA;
  decltype(&::GetSystemDefaultLCID) GetSystemDefaultLCID = &::GetSystemDefaultLCID;
  decltype(&::GetLocaleInfoA) GetLocaleInfoA = &::GetLocaleInfoA;
  decltype(&::IsDBCSLeadByte) IsDBCSLeadByte = &::IsDBCSLeadByte;
};

SystemCalls& Sys() {
  static SystemCalls calls;
  return calls;
}

constexpr NamedCall<SystemCalls> NamedCalls[] = {
    Named<&SystemCalls::FindFirstFileA>("FindFirstFileA"),
    Named<&SystemCalls::FindNextFileA>("FindNextFileA"),
    Named<&SystemCalls::FindClose>("FindClose"),
    Named<&SystemCalls::CompareStringA>("CompareStringA"),
    Named<&SystemCalls::CharUpperBuffA>("CharUpperBuffA"),
    Named<&SystemCalls::OpenFileMappingA>("OpenFileMappingA"),
    Named<&SystemCalls::CreateFileA>("CreateFileA"),
    Named<&SystemCalls::CreateFileMappingA>("CreateFileMappingA"),
    Named<&SystemCalls::GetFileSize>("GetFileSize"),
    Named<&SystemCalls::MapViewOfFile>("MapViewOfFile"),
    Named<&SystemCalls::VirtualQuery>("VirtualQuery"),
    Named<&SystemCalls::UnmapViewOfFile>("UnmapViewOfFile"),
    Named<&SystemCalls::CloseHandle>("CloseHandle"),
    Named<&SystemCalls::GetFileAttributesA>("GetFileAttributesA"),
    Named<&SystemCalls::IsBadStringPtrA>("IsBadStringPtrA"),
    Named<&SystemCalls::IsBadWritePtr>("IsBadWritePtr"),
    Named<&SystemCalls::GetLocalTime>("GetLocalTime"),
    Named<&SystemCalls::GetCurrentDirectoryA>("GetCurrentDirectoryA"),
    Named<&SystemCalls::GetStdHandle>("GetStdHandle"),
    Named<&SystemCalls::WriteFile>("WriteFile"),
    Named<&SystemCalls::MessageBoxA>("MessageBoxA"),
    Named<&SystemCalls::GetSystemDefaultLCID>("GetSystemDefaultLCID"),
    Named<&SystemCalls::GetLocaleInfoA>("GetLocaleInfoA"),
    Named<&SystemCalls::IsDBCSLeadByte>("IsDBCSLeadByte"),
};

}  // namespace

bool SetSystemCall(const char* name, void* fn) { return SetNamedCall(Sys(), NamedCalls, name, fn); }

void ResetSystemCalls() { Sys() = SystemCalls(); }

const char FolderSeparator = '\\';

bool IsFolderSeparator(char c) { return c == '\\' || c == '/'; }

std::string FileNameInPath(const std::string& fileName) { return UpperCase(fileName); }

// --- Directory search -------------------------------------------------

namespace {

constexpr DWORD VolumeLabelAttribute = 0x8;
constexpr DWORD SkippedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY | VolumeLabelAttribute;

}  // namespace

std::vector<std::string> FindTableFiles(const std::string& folder) {
  std::vector<std::string> names;
  // An empty folder names no folder (not the current one), as on Linux.
  if (folder.empty()) return names;
  WIN32_FIND_DATAA found;
  HANDLE search = Sys().FindFirstFileA((folder + "*.dtf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & SkippedAttributes) == 0) names.emplace_back(found.cFileName);
  } while (Sys().FindNextFileA(search, &found));
  // A listing that broke off part way counts as no listing at all.
  if (GetLastError() != ERROR_NO_MORE_FILES) names.clear();
  Sys().FindClose(search);
  return names;
}

// --- Text in the user's locale ------------------------------------------

int CompareTextIgnoreCase(const std::string& a, const std::string& b) {
  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER are 1, 2, 3.
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                              b.data(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

std::string UpperCase(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) Sys().CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

// --- Named read-only mappings ---------------------------------------------

namespace {

HANDLE AsWin32(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle FromWin32(HANDLE handle) { return reinterpret_cast<Handle>(handle); }

}  // namespace

Handle OpenNamedMapping(const std::string& name) {
  return FromWin32(Sys().OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
}

Handle OpenFileForRead(const std::string& path) {
  HANDLE file = Sys().CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? 0 : FromWin32(file);
}

Handle CreateNamedMapping(Handle file, const std::string& name) {
  return FromWin32(Sys().CreateFileMappingA(AsWin32(file), nullptr, PAGE_READONLY, 0, 0, name.c_str()));
}

std::optional<int64_t> GetFileSize(Handle file) {
  DWORD high = 0;
  const DWORD low = Sys().GetFileSize(AsWin32(file), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
  return (static_cast<int64_t>(high) << 32) | low;
}

View MapView(Handle mapping) {
  View view;
  const void* address = Sys().MapViewOfFile(AsWin32(mapping), FILE_MAP_READ, 0, 0, 0);
  if (address == nullptr) return view;
  // A mapping found by name may hold fewer bytes than this process's file:
  // the view's region is what can be read.
  MEMORY_BASIC_INFORMATION region;
  if (Sys().VirtualQuery(address, &region, sizeof region) != sizeof region) {
    Sys().UnmapViewOfFile(address);
    return view;
  }
  view.Address = static_cast<const uint8_t*>(address);
  view.Size = static_cast<int64_t>(region.RegionSize);
  return view;
}

void UnmapView(const View& view) {
  if (view.Address != nullptr) Sys().UnmapViewOfFile(view.Address);
}

void CloseHandle(Handle handle) {
  if (handle != 0) Sys().CloseHandle(AsWin32(handle));
}

// --- Files, buffers, clock, messages -----------------------------------------

bool FileExists(const std::string& path) {
  const DWORD attributes = Sys().GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadHostText(const char* text, std::string& out) {
  out.clear();
  if (text == nullptr) return true;
  if (Sys().IsBadStringPtrA(text, UINT_PTR(-1))) return false;
  out = text;
  return true;
}

bool IsWritable(const void* address, size_t size) {
  return address != nullptr && !Sys().IsBadWritePtr(const_cast<void*>(address), size);
}

LocalDate Today() {
  SYSTEMTIME now;
  Sys().GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

std::string CurrentDirectory() {
  // The system reports a trailing separator for a root folder only.
  const DWORD size = Sys().GetCurrentDirectoryA(0, nullptr);
  std::string folder(size, '\0');
  const DWORD length = size == 0 ? 0 : Sys().GetCurrentDirectoryA(size, folder.data());
  folder.resize(length < size ? length : 0);
  return folder;
}

namespace {

// KAVU32_MESSAGES=stderr turns the message boxes into lines on standard
// error, for hosts and tests that run without a desktop.
bool MessagesToStandardError() {
  const char* setting = std::getenv("KAVU32_MESSAGES");
  return setting != nullptr && std::strcmp(setting, "stderr") == 0;
}

void WriteLineToStandardError(const std::string& text) {
  const std::string line = text + "\r\n";
  DWORD written = 0;
  Sys().WriteFile(Sys().GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                  &written, nullptr);
}

}  // namespace

void ShowMessage(const std::string& text) {
  if (MessagesToStandardError()) {
    WriteLineToStandardError(text);
  } else {
    Sys().MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK);
  }
}

// --- Regional settings -----------------------------------------------------

namespace {

std::optional<std::string> LocaleText(LCID locale, LCTYPE item) {
  char buffer[256];
  const int length = Sys().GetLocaleInfoA(locale, item, buffer, sizeof buffer);
  if (length <= 0) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(length - 1));
}

void ReadText(LCID locale, LCTYPE item, std::string& target) {
  if (auto text = LocaleText(locale, item)) target = *text;
}

void ReadCharacter(LCID locale, LCTYPE item, char& target) {
  if (auto text = LocaleText(locale, item); text && !text->empty()) target = text->front();
}

// The piece of a date picture at i that converts as one: a two-byte
// character of the code page, a quoted text, or a run of one letter.
size_t PicturePiece(const std::string& picture, size_t i) {
  if (Sys().IsDBCSLeadByte(static_cast<BYTE>(picture[i]))) return i + 1 < picture.size() ? 2 : 1;
  if (picture[i] == '\'') {
    const size_t close = picture.find('\'', i + 1);
    return (close == std::string::npos ? picture.size() : close + 1) - i;
  }
  size_t run = 1;
  while (i + run < picture.size() && picture[i + run] == picture[i]) ++run;
  return run;
}

// A Windows date picture ("M/d/yyyy", "dddd, MMMM d, yyyy") in the
// formatter's letters: M is the month, a run of y is yy or yyyy, the era
// (g) has no letter and is dropped; everything else is kept.
std::string DatePicture(const std::string& picture) {
  std::string converted;
  for (size_t i = 0, length = 0; i < picture.size(); i += length) {
    length = PicturePiece(picture, i);
    if (picture[i] == 'M') {
      converted.append(length, 'm');
    } else if (picture[i] == 'y') {
      converted += length <= 2 ? "yy" : "yyyy";
    } else if (picture[i] != 'g') {
      converted.append(picture, i, length);
    }
  }
  return converted;
}

std::string LongTimeFormat(LCID locale) {
  const bool leadingZero = LocaleText(locale, LOCALE_ITLZERO).value_or("0") == "1";
  const bool twelveHours = LocaleText(locale, LOCALE_ITIME).value_or("0") == "0";
  return std::string(leadingZero ? "hh" : "h") + ":mm:ss" + (twelveHours ? " AMPM" : "");
}

}  // namespace

RegionalSettings ReadRegionalSettings() {
  RegionalSettings settings;
  const LCID locale = Sys().GetSystemDefaultLCID();
  if (auto picture = LocaleText(locale, LOCALE_SSHORTDATE)) settings.ShortDateFormat = DatePicture(*picture);
  if (auto picture = LocaleText(locale, LOCALE_SLONGDATE)) settings.LongDateFormat = DatePicture(*picture);
  for (LCTYPE month = 0; month < 12; ++month) {
    ReadText(locale, LOCALE_SABBREVMONTHNAME1 + month, settings.ShortMonthNames[month]);
    ReadText(locale, LOCALE_SMONTHNAME1 + month, settings.LongMonthNames[month]);
  }
  // The locale's week starts on Monday (name 1), the settings' on Sunday.
  for (LCTYPE day = 0; day < 7; ++day) {
    const LCTYPE mondayBased = (day + 6) % 7;
    ReadText(locale, LOCALE_SABBREVDAYNAME1 + mondayBased, settings.ShortDayNames[day]);
    ReadText(locale, LOCALE_SDAYNAME1 + mondayBased, settings.LongDayNames[day]);
  }
  ReadCharacter(locale, LOCALE_SDECIMAL, settings.DecimalSeparator);
  ReadCharacter(locale, LOCALE_SDATE, settings.DateSeparator);
  ReadCharacter(locale, LOCALE_STIME, settings.TimeSeparator);
  ReadText(locale, LOCALE_S1159, settings.TimeAMString);
  ReadText(locale, LOCALE_S2359, settings.TimePMString);
  settings.LongTimeFormat = LongTimeFormat(locale);
  return settings;
}

// --- Failures for the host -------------------------------------------------

[[noreturn]] void RaiseToHost(const Error& error) {
  // The text outlives the library's frames, which the host's handler may
  // unwind before it reads the text.
  static char message[256];
  std::strncpy(message, error.what(), sizeof message - 1);
  const ULONG_PTR arguments[1] = {reinterpret_cast<ULONG_PTR>(message)};
  // The call has no result to resume with: a handler that asks to
  // continue gets the system's noncontinuable-exception failure instead.
  for (;;) RaiseException(KAVU32_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 1, arguments);
}

}  // namespace kavu32::platform

// The platform layer on Linux (POSIX calls), every system call and C
// library query of the system made through the overridable table of
// system_calls.h.
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <compare>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/call_table.h"
#include "platform/platform.h"
#include "platform/system_calls.h"
#include "support/error.h"
#include "support/pattern_text.h"

namespace kavu32::platform {

namespace {

LocalDate TodayFromClock();

// NOLINTBEGIN(readability-identifier-naming): each entry bears its call's name.
struct SystemCalls {
  int (*open)(const char*, int) = [](const char* path, int flags) { return ::open(path, flags); };
  int (*close)(int) = &::close;
  ssize_t (*read)(int, void*, size_t) = &::read;
  ssize_t (*write)(int, const void*, size_t) = &::write;
  int (*fstat)(int, struct stat*) = &::fstat;
  int (*stat)(const char*, struct stat*) = &::stat;
  int (*fstatat)(int, const char*, struct stat*, int) = &::fstatat;
  DIR* (*opendir)(const char*) = &::opendir;
  dirent* (*readdir)(DIR*) = &::readdir;
  int (*closedir)(DIR*) = &::closedir;
  void* (*mmap)(void*, size_t, int, int, int, off_t) = &::mmap;
  int (*munmap)(void*, size_t) = &::munmap;
  int (*madvise)(void*, size_t, int) = &::madvise;
  char* (*getcwd)(char*, size_t) = &::getcwd;
  ssize_t (*process_vm_readv)(pid_t, const iovec*, unsigned long, const iovec*, unsigned long,
                              unsigned long) = &::process_vm_readv;
  tm* (*localtime_r)(const time_t*, tm*) = &::localtime_r;
  time_t (*time)(time_t*) = &::time;
  int (*dirfd)(DIR*) = &::dirfd;
  long (*sysconf)(int) = &::sysconf;
  pid_t (*getpid)() = &::getpid;
  char* (*nl_langinfo)(nl_item) = &::nl_langinfo;
  char* (*setlocale)(int, const char*) = &::setlocale;
  TodayCall today = &TodayFromClock;
};
// NOLINTEND(readability-identifier-naming)

SystemCalls& Sys() {
  static SystemCalls calls;
  return calls;
}

constexpr NamedCall<SystemCalls> NamedCalls[] = {
    Named<&SystemCalls::open>("open"),
    Named<&SystemCalls::close>("close"),
    Named<&SystemCalls::read>("read"),
    Named<&SystemCalls::write>("write"),
    Named<&SystemCalls::fstat>("fstat"),
    Named<&SystemCalls::stat>("stat"),
    Named<&SystemCalls::fstatat>("fstatat"),
    Named<&SystemCalls::opendir>("opendir"),
    Named<&SystemCalls::readdir>("readdir"),
    Named<&SystemCalls::closedir>("closedir"),
    Named<&SystemCalls::mmap>("mmap"),
    Named<&SystemCalls::munmap>("munmap"),
    Named<&SystemCalls::madvise>("madvise"),
    Named<&SystemCalls::getcwd>("getcwd"),
    Named<&SystemCalls::process_vm_readv>("process_vm_readv"),
    Named<&SystemCalls::localtime_r>("localtime_r"),
    Named<&SystemCalls::time>("time"),
    Named<&SystemCalls::dirfd>("dirfd"),
    Named<&SystemCalls::sysconf>("sysconf"),
    Named<&SystemCalls::getpid>("getpid"),
    Named<&SystemCalls::nl_langinfo>("nl_langinfo"),
    Named<&SystemCalls::setlocale>("setlocale"),
    Named<&SystemCalls::today>("today"),
};

LocalDate TodayFromClock() {
  const time_t now = Sys().time(nullptr);
  tm parts{};
  if (Sys().localtime_r(&now, &parts) == nullptr) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::optional<int64_t> SizeOf(int fd) {
  struct stat status {};
  if (Sys().fstat(fd, &status) != 0 || status.st_size < 0) return std::nullopt;
  return status.st_size;
}

// --- Handles -----------------------------------------------------------

// An open file descriptor, closed with the last handle that uses it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Sys().close(fd_); }
  int Fd() const { return fd_; }

  // The file's size, read once: sizing the file and mapping it ask the
  // system one time between them, as a Windows mapping keeps the size its
  // file had. A failed read is tried again next time.
  std::optional<int64_t> Size() {
    if (!size_) size_ = SizeOf(fd_);
    return size_;
  }

 private:
  int fd_;
  std::optional<int64_t> size_;
};

// What a Handle points to.
class HandleObject {
 public:
  explicit HandleObject(std::shared_ptr<Descriptor> file) : file_(std::move(file)) {}
  virtual ~HandleObject() = default;
  int Fd() const { return file_->Fd(); }
  std::optional<int64_t> Size() const { return file_->Size(); }
  const std::shared_ptr<Descriptor>& File() const { return file_; }

 private:
  std::shared_ptr<Descriptor> file_;
};

class FileObject : public HandleObject {
 public:
  using HandleObject::HandleObject;
};

// A mapping keeps the file open on its own, as a Windows mapping outlives
// the file handle it was made from. Its name has no use here: no other
// process can find a mapping by name.
class MappingObject : public HandleObject {
 public:
  using HandleObject::HandleObject;
};

template <typename Object>
Object* ObjectOf(Handle handle) {
  return dynamic_cast<Object*>(reinterpret_cast<HandleObject*>(handle));
}

Handle HandleOf(HandleObject* object) { return reinterpret_cast<Handle>(object); }

// The one address handed out for the view of an empty file.
const uint8_t EmptyView[1] = {};

// --- Directory search --------------------------------------------------

// Hidden names start with '.', and so does ".dtf" itself, which has no
// name before its extension.
bool IsTableFileName(std::string_view name) {
  if (name.starts_with('.')) return false;
  const size_t dot = name.rfind('.');
  return dot != std::string_view::npos &&
         std::ranges::equal(name.substr(dot), std::string_view(".DTF"),
                            [](char a, char b) { return AsciiUpper(a) == b; });
}

// Regular files only; a symbolic link counts when it leads to one.
bool IsRegularFile(DIR* dir, const dirent& entry) {
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat status {};
  return Sys().fstatat(Sys().dirfd(dir), entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

struct DirCloser {
  void operator()(DIR* dir) const { Sys().closedir(dir); }
};

// --- Writability -------------------------------------------------------

uintptr_t PageSize() {
  static const auto size = static_cast<uintptr_t>(Sys().sysconf(_SC_PAGESIZE));
  return size;
}

// The whole of /proc/self/maps; empty when it cannot be read.
std::string ReadMemoryMap() {
  std::string map;
  const int fd = Sys().open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return map;
  char chunk[4096];
  for (;;) {
    const ssize_t count = Sys().read(fd, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    map.append(chunk, static_cast<size_t>(count));
  }
  Sys().close(fd);
  return map;
}

// The hex number text starts with, text moving past it; none when it does
// not start with one.
std::optional<uintptr_t> TakeHex(std::string_view& text) {
  uintptr_t value{};
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc()) return std::nullopt;
  text.remove_prefix(static_cast<size_t>(stop - text.data()));
  return value;
}

// True when the regions listed in the memory map cover begin..end
// without a gap and every one of them is writable.
bool MemoryMapShowsWritable(uintptr_t begin, uintptr_t end) {
  const std::string map = ReadMemoryMap();
  uintptr_t covered = begin;
  for (std::string_view rest = map; !rest.empty();) {
    std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    // "start-end perms offset device inode path", addresses in hex.
    const std::optional<uintptr_t> start = TakeHex(line);
    if (!start || !line.starts_with('-')) return false;
    line.remove_prefix(1);
    const std::optional<uintptr_t> finish = TakeHex(line);
    if (!finish || line.size() < 3) return false;
    if (*finish <= covered) continue;
    if (*start > covered || line[2] != 'w') return false;
    covered = *finish;
    if (covered >= end) return true;
  }
  return false;
}

}  // namespace

bool SetSystemCall(const char* name, void* fn) { return SetNamedCall(Sys(), NamedCalls, name, fn); }

void ResetSystemCalls() { Sys() = SystemCalls(); }

const char FolderSeparator = '/';

bool IsFolderSeparator(char c) { return c == '/'; }

std::string FileNameInPath(const std::string& fileName) { return fileName; }

std::vector<std::string> FindTableFiles(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  const std::unique_ptr<DIR, DirCloser> dir(Sys().opendir(folder.c_str()));
  if (!dir) return names;
  for (;;) {
    errno = 0;
    const dirent* entry = Sys().readdir(dir.get());
    if (entry == nullptr) break;
    if (IsTableFileName(entry->d_name) && IsRegularFile(dir.get(), *entry)) {
      names.emplace_back(entry->d_name);
    }
  }
  // A listing that broke off part way counts as no listing at all.
  if (errno != 0) names.clear();
  return names;
}

int CompareTextIgnoreCase(const std::string& a, const std::string& b) {
  // Bytes compare unsigned, so letters beyond ASCII sort after it.
  const auto upper = [](char c) { return static_cast<unsigned char>(AsciiUpper(c)); };
  const std::strong_ordering order = std::lexicographical_compare_three_way(
      a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return upper(x) <=> upper(y); });
  return order < 0 ? -1 : order == 0 ? 0 : 1;
}

std::string UpperCase(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  return upper;
}

Handle OpenNamedMapping(const std::string&) { return 0; }

Handle OpenFileForRead(const std::string& path) {
  // Non-blocking, so that a FIFO put in a table's place cannot stall us.
  const int fd = Sys().open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return 0;
  std::shared_ptr<Descriptor> descriptor;
  try {
    descriptor = std::make_shared<Descriptor>(fd);
  } catch (...) {
    Sys().close(fd);
    throw;
  }
  return HandleOf(new FileObject(std::move(descriptor)));
}

Handle CreateNamedMapping(Handle file, const std::string&) {
  const FileObject* source = ObjectOf<FileObject>(file);
  if (source == nullptr) return 0;
  return HandleOf(new MappingObject(source->File()));
}

std::optional<int64_t> GetFileSize(Handle file) {
  const FileObject* object = ObjectOf<FileObject>(file);
  if (object == nullptr) return std::nullopt;
  return object->Size();
}

View MapView(Handle mapping) {
  const MappingObject* object = ObjectOf<MappingObject>(mapping);
  if (object == nullptr) return {};
  const std::optional<int64_t> size = object->Size();
  if (!size) return {};
  if (*size == 0) return {EmptyView, 0};
  if (!std::in_range<size_t>(*size)) return {};
  void* address = Sys().mmap(nullptr, static_cast<size_t>(*size), PROT_READ, MAP_SHARED, object->Fd(), 0);
  if (address == MAP_FAILED) return {};
  return {static_cast<const uint8_t*>(address), *size};
}

void UnmapView(const View& view) {
  // A failed mapping is {} and an empty file's maps nothing: neither has a size.
  if (view.Size == 0) return;
  Sys().munmap(const_cast<uint8_t*>(view.Address), static_cast<size_t>(view.Size));
}

void CloseHandle(Handle handle) { delete reinterpret_cast<HandleObject*>(handle); }

bool FileExists(const std::string& path) {
  struct stat status {};
  return Sys().stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Reads the caller's memory through the kernel, one page at a time up to
// the terminating zero, so an unreadable address is reported as EFAULT
// instead of faulting in this process. Where the kernel refuses the call
// itself (a sandbox without it), the text is read directly.
bool ReadHostText(const char* text, std::string& out) {
  out.clear();
  if (text == nullptr) return true;
  auto address = reinterpret_cast<uintptr_t>(text);
  std::string chunk;
  for (;;) {
    const size_t toPageEnd = PageSize() - (address & (PageSize() - 1));
    chunk.resize(toPageEnd);
    iovec local{chunk.data(), toPageEnd};
    iovec remote{reinterpret_cast<void*>(address), toPageEnd};
    ssize_t count;
    do {
      count = Sys().process_vm_readv(Sys().getpid(), &local, 1, &remote, 1, 0);
    } while (count < 0 && errno == EINTR);
    if (count < 0 && errno != EFAULT) {
      out.append(reinterpret_cast<const char*>(address));
      return true;
    }
    if (count != static_cast<ssize_t>(toPageEnd)) {
      out.clear();
      return false;
    }
    const size_t length = std::strlen(chunk.c_str());
    out.append(chunk, 0, length);
    if (length < toPageEnd) return true;
    address += toPageEnd;
  }
}

// MADV_POPULATE_WRITE faults the pages in for writing without writing to
// them, so one call answers for the range as it is now: 0 when every page
// is mapped and writable, ENOMEM when part is unmapped, EFAULT when a write
// would fault. EINVAL means a read-only page, a special mapping or a
// kernel without this advice; the memory map then gives the exact answer.
// Nothing is cached, so memory unmapped or protected since the last call
// is never reported writable.
bool IsWritable(const void* address, size_t size) {
  if (address == nullptr) return false;
  if (size == 0) return true;
  const auto begin = reinterpret_cast<uintptr_t>(address);
  if (size > UINTPTR_MAX - begin) return false;
  const uintptr_t end = begin + size;
  const uintptr_t firstPage = begin & ~(PageSize() - 1);
  int result;
  do {
    result = Sys().madvise(reinterpret_cast<void*>(firstPage), end - firstPage, MADV_POPULATE_WRITE);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return true;
  if (errno == ENOMEM || errno == EFAULT) return false;
  return MemoryMapShowsWritable(begin, end);
}

LocalDate Today() { return Sys().today(); }

std::string CurrentDirectory() {
  std::string buffer(256, '\0');
  while (Sys().getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

void ShowMessage(const std::string& text) {
  const std::string line = text + '\n';
  size_t written = 0;
  while (written < line.size()) {
    const ssize_t count = Sys().write(STDERR_FILENO, line.data() + written, line.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    written += static_cast<size_t>(count);
  }
}

namespace {

// The C locale and its variants (C.UTF-8) keep the English defaults.
bool IsDefaultLocale(const char* name) {
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

// Replaces text with the locale's item when the locale has one.
void TakeItem(std::string& text, nl_item item) {
  const char* value = Sys().nl_langinfo(item);
  if (value != nullptr && *value != '\0') text = value;
}

template <size_t N>
void TakeItems(std::array<std::string, N>& texts, const nl_item (&items)[N]) {
  for (size_t i = 0; i < N; ++i) TakeItem(texts[i], items[i]);
}

}  // namespace

RegionalSettings ReadRegionalSettings() {
  RegionalSettings settings;
  if (!IsDefaultLocale(Sys().setlocale(LC_TIME, nullptr))) {
    TakeItems(settings.LongMonthNames,
              {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6, MON_7, MON_8, MON_9, MON_10, MON_11, MON_12});
    TakeItems(settings.ShortMonthNames, {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6, ABMON_7,
                                         ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12});
    TakeItems(settings.LongDayNames, {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7});
    TakeItems(settings.ShortDayNames, {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7});
    TakeItem(settings.TimeAMString, AM_STR);
    TakeItem(settings.TimePMString, PM_STR);
  }
  if (!IsDefaultLocale(Sys().setlocale(LC_NUMERIC, nullptr))) {
    const char* radix = Sys().nl_langinfo(RADIXCHAR);
    if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') settings.DecimalSeparator = radix[0];
  }
  return settings;
}

void RaiseToHost(const Error& error) { throw error; }

}  // namespace kavu32::platform

#include "memory_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/system_calls.h"

namespace kavu32::fuzz {

namespace {

using Bytes = std::shared_ptr<const std::string>;

// A listing of the folder as it was when opened.
struct Listing {
  std::vector<std::string> Names;
  size_t Next = 0;
  dirent Entry{};
};

struct FolderState {
  std::map<std::string, Bytes> Files;
  std::map<int, Bytes> Descriptors;
  std::map<const DIR*, std::unique_ptr<Listing>> Listings;
  std::map<const void*, std::unique_ptr<uint8_t[]>> Mappings;
  // Far above the descriptors the process itself gets.
  int NextDescriptor = 1 << 28;
};

FolderState* Folder = nullptr;

constexpr std::string_view Root = "/kavu32-memory";

// What a path names in the folder: "" for the folder itself, a file name,
// or nothing for a path outside it. A relative path starts in the folder.
std::optional<std::string> NameInFolder(const char* path) {
  std::string_view rest(path);
  if (rest.starts_with('/')) {
    if (!rest.starts_with(Root)) return std::nullopt;
    rest.remove_prefix(Root.size());
    if (!rest.empty() && rest.front() != '/') return std::nullopt;
  }
  while (rest.starts_with('/')) rest.remove_prefix(1);
  if (rest == ".") return std::string();
  return std::string(rest);
}

const Bytes* FindFile(const std::string& name) {
  const auto file = Folder->Files.find(name);
  return file == Folder->Files.end() ? nullptr : &file->second;
}

template <typename Result>
Result Fail(int error, Result result) {
  errno = error;
  return result;
}

int Open(const char* path, int flags) {
  const auto name = NameInFolder(path);
  if (!name) return ::open(path, flags);
  if (name->empty()) return Fail(EISDIR, -1);
  const Bytes* file = FindFile(*name);
  if (file == nullptr) return Fail(ENOENT, -1);
  const int fd = Folder->NextDescriptor++;
  Folder->Descriptors.emplace(fd, *file);
  return fd;
}

int Close(int fd) {
  if (Folder->Descriptors.erase(fd) == 1) return 0;
  return ::close(fd);
}

void Describe(const std::string* file, struct stat* status) {
  *status = {};
  status->st_mode = file == nullptr ? (S_IFDIR | 0555) : (S_IFREG | 0444);
  status->st_size = file == nullptr ? 0 : static_cast<off_t>(file->size());
}

int Fstat(int fd, struct stat* status) {
  const auto open = Folder->Descriptors.find(fd);
  if (open == Folder->Descriptors.end()) return ::fstat(fd, status);
  Describe(open->second.get(), status);
  return 0;
}

int Stat(const char* path, struct stat* status) {
  const auto name = NameInFolder(path);
  if (!name) return ::stat(path, status);
  if (name->empty()) {
    Describe(nullptr, status);
    return 0;
  }
  const Bytes* file = FindFile(*name);
  if (file == nullptr) return Fail(ENOENT, -1);
  Describe(file->get(), status);
  return 0;
}

DIR* Opendir(const char* path) {
  const auto name = NameInFolder(path);
  if (!name) return ::opendir(path);
  if (!name->empty()) return Fail(FindFile(*name) ? ENOTDIR : ENOENT, static_cast<DIR*>(nullptr));
  auto listing = std::make_unique<Listing>();
  for (const auto& [fileName, bytes] : Folder->Files) listing->Names.push_back(fileName);
  // Only ever handed back to the calls below, which know it by its address.
  DIR* dir = reinterpret_cast<DIR*>(listing.get());
  Folder->Listings.emplace(dir, std::move(listing));
  return dir;
}

dirent* Readdir(DIR* dir) {
  const auto open = Folder->Listings.find(dir);
  if (open == Folder->Listings.end()) return ::readdir(dir);
  Listing& listing = *open->second;
  if (listing.Next == listing.Names.size()) return nullptr;
  const std::string& name = listing.Names[listing.Next++];
  listing.Entry = {};
  listing.Entry.d_type = DT_REG;
  std::strncpy(listing.Entry.d_name, name.c_str(), sizeof listing.Entry.d_name - 1);
  return &listing.Entry;
}

int Closedir(DIR* dir) {
  if (Folder->Listings.erase(dir) == 1) return 0;
  return ::closedir(dir);
}

void* Mmap(void* address, size_t length, int protection, int flags, int fd, off_t offset) {
  const auto open = Folder->Descriptors.find(fd);
  if (open == Folder->Descriptors.end()) return ::mmap(address, length, protection, flags, fd, offset);
  const std::string& file = *open->second;
  if (length == 0 || offset < 0) return Fail(EINVAL, MAP_FAILED);
  auto copy = std::make_unique<uint8_t[]>(length);
  if (static_cast<size_t>(offset) < file.size()) {
    std::memcpy(copy.get(), file.data() + offset, std::min(length, file.size() - static_cast<size_t>(offset)));
  }
  void* view = copy.get();
  Folder->Mappings.emplace(view, std::move(copy));
  return view;
}

int Munmap(void* address, size_t length) {
  if (Folder->Mappings.erase(address) == 1) return 0;
  return ::munmap(address, length);
}

char* Getcwd(char* buffer, size_t size) {
  if (size <= Root.size()) return Fail(ERANGE, static_cast<char*>(nullptr));
  std::memcpy(buffer, Root.data(), Root.size());
  buffer[Root.size()] = '\0';
  return buffer;
}

template <typename Function>
void Install(const char* name, Function* fn) {
  if (!platform::SetSystemCall(name, fn)) std::abort();
}

}  // namespace

MemoryFolder::MemoryFolder() {
  if (Folder != nullptr) std::abort();
  Folder = new FolderState;
  Install("open", &Open);
  Install("close", &Close);
  Install("fstat", &Fstat);
  Install("stat", &Stat);
  Install("opendir", &Opendir);
  Install("readdir", &Readdir);
  Install("closedir", &Closedir);
  Install("mmap", &Mmap);
  Install("munmap", &Munmap);
  Install("getcwd", &Getcwd);
}

MemoryFolder::~MemoryFolder() {
  platform::ResetSystemCalls();
  delete Folder;
  Folder = nullptr;
}

void MemoryFolder::Put(const std::string& name, std::string bytes) {
  Folder->Files[name] = std::make_shared<const std::string>(std::move(bytes));
}

void MemoryFolder::Remove(const std::string& name) { Folder->Files.erase(name); }

int MemoryFolder::OpenCount() const {
  return static_cast<int>(Folder->Descriptors.size() + Folder->Listings.size() + Folder->Mappings.size());
}

}  // namespace kavu32::fuzz

// Whole requests through the exports: the full report (every standard
// data type, size query plus copy), each GetData type alone, and
// GetCategories on the standard eight tables against the floor of the same
// system calls made by hand.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavu32.h"
#include "standard_tables.h"
#include "temporary_folder.h"

namespace kavu32::bench {
namespace {

constexpr int32_t StandardTypes = 19;
constexpr Kavu32Date BirthDate = {1969, 7, 0, 20, 0, 0, 0, 0};

// The library started on the standard tables (the first folder) and an
// empty second folder, with the category list read and a date set, as a
// host leaves it before its first GetData.
class Session {
 public:
  Session() {
    if (!GraphicsFolder().empty() && ::chdir(GraphicsFolder().c_str()) != 0) {
      throw std::runtime_error("cannot enter the graphics folder");
    }
    StartUp(StandardTablesFolder().c_str(), second_.Path().c_str());
    const int32_t size = GetCategories(nullptr);
    if (size <= 0) throw std::runtime_error("GetCategories failed: " + std::to_string(size));
    categories_.resize(static_cast<size_t>(size) / sizeof(CategoryRecord));
    SetDateAndName(BirthDate, "Alex Example");
    size_t largest = 1;
    for (int32_t type = 1; type <= StandardTypes; ++type) {
      largest = std::max<size_t>(largest, static_cast<size_t>(std::max(GetData(type, nullptr), 0)));
    }
    buffer_.resize(largest);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() { ShutDown(); }

  std::vector<std::string> Folders() const { return {StandardTablesFolder(), second_.Path()}; }
  CategoryRecord* Categories() { return categories_.data(); }

  // The two calls of a host: the size, then the bytes. The size, or the
  // error code.
  int32_t Request(int32_t type) {
    const int32_t size = GetData(type, nullptr);
    return size > 0 ? GetData(type, buffer_.data()) : size;
  }

 private:
  TemporaryFolder second_;
  std::vector<CategoryRecord> categories_;
  std::vector<char> buffer_;
};

Session& TheSession() {
  static Session session;
  return session;
}

void BM_FullReport(benchmark::State& state) {
  Session& session = TheSession();
  int64_t bytes = 0;
  for (auto _ : state) {
    for (int32_t type = 1; type <= StandardTypes; ++type) {
      bytes += std::max(session.Request(type), 0);
    }
  }
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

void BM_GetData(benchmark::State& state) {
  Session& session = TheSession();
  const auto type = static_cast<int32_t>(state.range(0));
  int32_t result = 0;
  for (auto _ : state) result = session.Request(type);
  // A negative result is the error code the type answers with here.
  state.counters["result"] = result;
}

void BM_GetCategories(benchmark::State& state) {
  Session& session = TheSession();
  int32_t size = 0;
  for (auto _ : state) size = GetCategories(session.Categories());
  state.counters["result"] = size;
}

bool IsTableFile(const char* name) {
  const size_t length = std::strlen(name);
  return name[0] != '.' && length > 4 && ::strcasecmp(name + length - 4, ".dtf") == 0;
}

// What GetCategories asks of the system, without the library: the listing
// of both folders, then open, fstat, mmap, munmap and close of each file.
void BM_GetCategoriesFloor(benchmark::State& state) {
  const std::vector<std::string> folders = TheSession().Folders();
  std::vector<std::string> paths;
  for (auto _ : state) {
    paths.clear();
    for (const std::string& folder : folders) {
      DIR* dir = ::opendir(folder.c_str());
      while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        if (entry->d_type == DT_REG && IsTableFile(entry->d_name)) paths.push_back(folder + entry->d_name);
      }
      if (dir) ::closedir(dir);
    }
    for (const std::string& path : paths) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      struct stat status {};
      ::fstat(fd, &status);
      void* view = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_SHARED, fd, 0);
      benchmark::DoNotOptimize(view);
      ::munmap(view, static_cast<size_t>(status.st_size));
      ::close(fd);
    }
  }
  state.counters["files"] = static_cast<double>(paths.size());
}

BENCHMARK(BM_GetCategories);
BENCHMARK(BM_GetCategoriesFloor);
BENCHMARK(BM_FullReport);
BENCHMARK(BM_GetData)->DenseRange(1, StandardTypes);

}  // namespace
}  // namespace kavu32::bench

BENCHMARK_MAIN();

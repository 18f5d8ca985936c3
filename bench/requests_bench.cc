// Whole requests through the exports: the full report (every standard
// data type, size query plus copy), each GetData type alone, and
// GetCategories on the standard eight tables, against floors made by hand:
// the same system calls, and those calls with the pages opening reads; the
// full report against the same searches, writability tests and copies,
// and against those with the graphics' existence tests; each graphic
// against its existence tests, writability test and copy.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/table_format.h"
#include "kavu32.h"
#include "keyed_table.h"
#include "platform/platform.h"
#include "request_session.h"
#include "retrieval/signs.h"
#include "standard_tables.h"

namespace kavu32::bench {
namespace {

Session& TheSession() {
  static Session session;
  return session;
}

// Types 17 to 19 name a picture, which must exist at each of the two calls.
constexpr int32_t FirstGraphicType = 17;
constexpr int ExistenceTestsPerGraphic = 2;

// The picture's existence tested as a graphic's two calls test it.
bool PictureExists(const std::string& name) {
  for (int test = 0; test < ExistenceTestsPerGraphic; ++test) {
    if (!platform::FileExists(name)) return false;
  }
  return true;
}

void BM_FullReport(benchmark::State& state) {
  Session& session = TheSession();
  int64_t bytes = 0;
  for (auto _ : state) bytes += session.Report();
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

// Each iteration composes the type's answer afresh, as in a report, where
// the next request is for another type.
void BM_GetData(benchmark::State& state) {
  Session& session = TheSession();
  const auto type = static_cast<int32_t>(state.range(0));
  int32_t result = 0;
  for (auto _ : state) {
    result = session.Request(type);
    GetData(UnlistedType, nullptr);
  }
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

// What opening a table reads of its fresh mapping: the header, the field
// descriptors, the record-offset list (copied, as the table keeps it) and
// the first byte of record 0.
uint8_t ReadOpeningPages(const uint8_t* image, size_t size) {
  int32_t dataStart = 0;
  std::memcpy(&dataStart, image + DataStartOffset, sizeof dataStart);
  uint8_t sum = 0;
  for (int32_t i = HeaderSize; i < dataStart; ++i) sum = static_cast<uint8_t>(sum + image[i]);
  const std::vector<int32_t> offsets = RecordOffsetsOf({image, size});
  return offsets.empty() ? sum : static_cast<uint8_t>(sum + image[offsets.front()]);
}

// What GetCategories asks of the system, without the library: the listing
// of both folders, then open, fstat, mmap, munmap and close of each file;
// with readPages, also the pages opening each table reads.
void BM_GetCategoriesFloor(benchmark::State& state, bool readPages) {
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
      const auto size = static_cast<size_t>(status.st_size);
      void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
      if (readPages) benchmark::DoNotOptimize(ReadOpeningPages(static_cast<const uint8_t*>(view), size));
      benchmark::DoNotOptimize(view);
      ::munmap(view, size);
      ::close(fd);
    }
  }
  state.counters["files"] = static_cast<double>(paths.size());
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The full report done by hand: each item's record searches (none for the
// items made from the date or name alone, and for the graphics), with
// testPictures each graphic's two tests that its picture exists, then one
// writability test of the host's buffer and one copy of the item's bytes.
class ReportFloor {
 public:
  ReportFloor(Session& session, bool testPictures) : test_pictures_(testPictures) {
    const int32_t dateKey = BirthDate.Year * 10000 + BirthDate.Month * 100 + BirthDate.Day;
    const int32_t year = YearKey(dateKey);
    const int32_t zodiac = ZodiacSign(dateKey);
    const int32_t chinese = ChineseSign(dateKey);
    // The searches of each type, by table file; indexed by type - 1.
    const std::vector<std::vector<std::pair<const char*, int32_t>>> searches = {
        {},
        {{"Event", year}},
        {{"Birthday", DayKey(dateKey)}},
        {{"Zodiac", zodiac}},
        {{"Chinese", chinese}},
        {{"Literat", year}, {"Movies", year}},
        {{"Sport", year}},
        {},
        {},
        {},
        {},
        {{"Zodiac", zodiac}},
        {{"Chinese", chinese}},
        {{"Stone", MonthKey(dateKey)}},
        {},
        {},
        {},
        {},
        {}};
    for (int32_t type = 1; type <= StandardTypes; ++type) {
      Item item;
      for (const auto& [table, key] : searches[static_cast<size_t>(type - 1)]) {
        item.Searches.emplace_back(&TableNamed(table), key);
      }
      item.Bytes = session.Answer(type);
      item.Picture = type >= FirstGraphicType;
      items_.push_back(std::move(item));
    }
    buffer_.resize(session.BufferSize());
  }

  // The bytes delivered, terminators included; 0 when a search fails.
  int64_t Run() {
    int64_t bytes = 0;
    for (const Item& item : items_) {
      for (const auto& [table, key] : item.Searches) {
        if (table->FindRecord(key) < 0) return 0;
      }
      if (test_pictures_ && item.Picture && !PictureExists(item.Bytes)) return 0;
      const size_t size = item.Bytes.size() + 1;
      if (!platform::IsWritable(buffer_.data(), size)) return 0;
      std::memcpy(buffer_.data(), item.Bytes.c_str(), size);
      benchmark::ClobberMemory();
      bytes += static_cast<int64_t>(size);
    }
    return bytes;
  }

 private:
  struct Item {
    std::vector<std::pair<const FloorSearch*, int32_t>> Searches;
    std::string Bytes;
    bool Picture = false;  // Bytes name a picture
  };

  const FloorSearch& TableNamed(const std::string& title) {
    auto& table = tables_[title];
    if (!table.second) {
      table.first = ReadFile(StandardTablesFolder() + title + ".dtf");
      if (table.first.empty()) throw std::runtime_error("cannot read the table " + title);
      table.second = std::make_unique<FloorSearch>(table.first);
    }
    return *table.second;
  }

  std::map<std::string, std::pair<std::vector<uint8_t>, std::unique_ptr<FloorSearch>>> tables_;
  bool test_pictures_;
  std::vector<Item> items_;
  std::vector<char> buffer_;
};

void BM_FullReportFloor(benchmark::State& state, bool testPictures) {
  ReportFloor floor(TheSession(), testPictures);
  int64_t bytes = 0;
  for (auto _ : state) bytes += floor.Run();
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_GetCategories);
BENCHMARK_CAPTURE(BM_GetCategoriesFloor, syscalls, false);
BENCHMARK_CAPTURE(BM_GetCategoriesFloor, pages, true);
// One existence test of the zodiac picture, the library's own.
void BM_ExistenceTest(benchmark::State& state) {
  const std::string name = TheSession().Answer(FirstGraphicType);
  bool exists = false;
  for (auto _ : state) exists = platform::FileExists(name);
  if (!exists) state.SkipWithError("the picture is missing");
}

// What a graphic's two calls cannot do without: the picture's existence
// tested at each call, then one writability test and one copy of the name.
void BM_GraphicFloor(benchmark::State& state) {
  Session& session = TheSession();
  const std::string name = session.Answer(static_cast<int32_t>(state.range(0)));
  std::vector<char> buffer(name.size() + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(PictureExists(name));
    if (platform::IsWritable(buffer.data(), buffer.size()))
      std::memcpy(buffer.data(), name.c_str(), buffer.size());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_FullReport);
BENCHMARK_CAPTURE(BM_FullReportFloor, searches, false);
BENCHMARK_CAPTURE(BM_FullReportFloor, pictures, true);
BENCHMARK(BM_GetData)->DenseRange(1, StandardTypes);
BENCHMARK(BM_ExistenceTest);
BENCHMARK(BM_GraphicFloor)->DenseRange(FirstGraphicType, StandardTypes);

}  // namespace
}  // namespace kavu32::bench

BENCHMARK_MAIN();

// Memory: the heap that opening a table adds (counted by this binary's own
// malloc, which forwards to the C library's), and the resident size of
// eight processes that map the same 100 MB table. The figures are
// counters; the times mean nothing.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/table.h"
#include "interface/library_state.h"
#include "kavu32.h"
#include "keyed_table.h"
#include "standard_tables.h"
#include "storage/shared_storage.h"
#include "temporary_folder.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
}

namespace {

// Live heap: bytes as the allocator sizes the blocks, and blocks.
std::atomic<int64_t> liveBytes{0};
std::atomic<int64_t> liveBlocks{0};

void* Counted(void* block) {
  if (block != nullptr) {
    liveBytes += static_cast<int64_t>(malloc_usable_size(block));
    ++liveBlocks;
  }
  return block;
}

void Uncount(void* block) {
  if (block != nullptr) {
    liveBytes -= static_cast<int64_t>(malloc_usable_size(block));
    --liveBlocks;
  }
}

}  // namespace

// operator new and the library's realloc-grown streams both come here.
extern "C" {
void* malloc(size_t size) { return Counted(__libc_malloc(size)); }
void* calloc(size_t count, size_t size) { return Counted(__libc_calloc(count, size)); }
void free(void* block) {
  Uncount(block);
  __libc_free(block);
}
void* realloc(void* block, size_t size) {
  const auto before = static_cast<int64_t>(block ? malloc_usable_size(block) : 0);
  void* grown = __libc_realloc(block, size);
  if (grown == nullptr) return nullptr;  // the old block stays as it was
  liveBytes += static_cast<int64_t>(malloc_usable_size(grown)) - before;
  if (block == nullptr) ++liveBlocks;
  return grown;
}
}

namespace kavu32::bench {
namespace {

struct HeapSnapshot {
  int64_t Bytes = liveBytes.load();
  int64_t Blocks = liveBlocks.load();
};

constexpr double Megabyte = 1024.0 * 1024.0;

// The heap a TsTable holds once open, beyond the image it reads in place.
void BM_OpenTableHeap(benchmark::State& state) {
  const auto recordCount = static_cast<int32_t>(state.range(0));
  const std::vector<uint8_t> image = dtf::WriteTableImage(KeyedTableContent(recordCount));
  HeapSnapshot before;
  HeapSnapshot open;
  HeapSnapshot closed;
  for (auto _ : state) {
    before = {};
    {
      TsTable table(image.data(), static_cast<int32_t>(image.size()));
      table.Open();
      open = {};
    }
    closed = {};
  }
  const int64_t offsets = int64_t{recordCount} * 4;
  const int64_t heap = open.Bytes - before.Bytes;
  state.counters["image_bytes"] = static_cast<double>(image.size());
  state.counters["heap_bytes"] = static_cast<double>(heap);
  state.counters["offset_bytes"] = static_cast<double>(offsets);
  state.counters["other_bytes"] = static_cast<double>(heap - offsets);
  state.counters["blocks"] = static_cast<double>(open.Blocks - before.Blocks);
  state.counters["left_after_close"] = static_cast<double>(closed.Bytes - before.Bytes);
}

// The fields of /proc/<pid>/smaps_rollup, in kB.
std::map<std::string, int64_t> MemoryRollup(pid_t pid) {
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  std::map<std::string, int64_t> fields;
  std::string line;
  while (std::getline(rollup, line)) {
    char label[64];
    long long value = 0;
    if (std::sscanf(line.c_str(), "%63[^:]: %lld kB", label, &value) == 2) {
      fields[label] = value;
    }
  }
  return fields;
}

// Reads one byte of every page of every mapped table, as a process that
// has answered many requests would have touched them.
int64_t TouchMappedTables() {
  const long page = ::sysconf(_SC_PAGESIZE);
  const TSharedStorage& store = *State().SharedTables;
  int64_t sum = 0;
  for (int i = 0; i < store.SharedTableCount(); ++i) {
    const platform::View view = store.GetSharedTable(i).View;
    for (int64_t at = 0; at < view.Size; at += page) sum += view.Address[at];
  }
  return sum;
}

// A child: opens the tables through the exports, touches their pages,
// reports ready and waits until the parent has read its memory figures.
[[noreturn]] void RunReader(const std::string& first, const std::string& second, int ready, int go) {
  StartUp(first.c_str(), second.c_str());
  char status = GetCategories(nullptr) > 0 ? 1 : 0;
  benchmark::DoNotOptimize(TouchMappedTables());
  if (::write(ready, &status, 1) != 1) ::_exit(1);
  char ignored;
  while (::read(go, &ignored, 1) > 0) {
  }
  ::_exit(0);
}

constexpr int Readers = 8;
constexpr int32_t BigRecords = 100'000;
constexpr int32_t BigMemoSize = 1'040;  // about 100 MB in all

// The table's size in bytes.
size_t WriteBigTable(const std::string& path) {
  const std::vector<uint8_t> image =
      dtf::WriteTableImage(MemoTableContent("Archive", BigRecords, BigMemoSize));
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
  return image.size();
}

// Eight processes on one folder holding a 100 MB table next to the
// standard ones: the table's pages are shared, so the proportional sizes
// add up to about one copy, not eight.
void BM_SharedResidency(benchmark::State& state) {
  TemporaryFolder folder;
  const size_t tableSize = WriteBigTable(folder.Path() + "Archive.dtf");
  ::malloc_trim(0);  // the children should not inherit the building's heap
  std::map<std::string, double> totals;
  for (auto _ : state) {
    int ready[2];
    int go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0) throw std::runtime_error("pipe failed");
    std::vector<pid_t> readers;
    for (int i = 0; i < Readers; ++i) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        ::close(ready[0]);
        ::close(go[1]);
        RunReader(folder.Path(), StandardTablesFolder(), ready[1], go[0]);
      }
      readers.push_back(pid);
    }
    ::close(ready[1]);
    ::close(go[0]);
    int opened = 0;
    for (int i = 0; i < Readers; ++i) {
      char status = 0;
      if (::read(ready[0], &status, 1) == 1) opened += status;
    }
    totals.clear();
    for (const pid_t pid : readers) {
      for (const auto& [name, kilobytes] : MemoryRollup(pid)) totals[name] += static_cast<double>(kilobytes);
    }
    ::close(go[1]);
    ::close(ready[0]);
    for (const pid_t pid : readers) ::waitpid(pid, nullptr, 0);
    state.counters["readers_opened"] = opened;
  }
  state.counters["table_MB"] = static_cast<double>(tableSize) / Megabyte;
  state.counters["rss_sum_MB"] = totals["Rss"] / 1024;
  state.counters["pss_sum_MB"] = totals["Pss"] / 1024;
  state.counters["pss_each_MB"] = totals["Pss"] / 1024 / Readers;
  state.counters["private_each_MB"] = (totals["Private_Clean"] + totals["Private_Dirty"]) / 1024 / Readers;
}

BENCHMARK(BM_OpenTableHeap)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Iterations(1);
BENCHMARK(BM_SharedResidency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavu32::bench

BENCHMARK_MAIN();

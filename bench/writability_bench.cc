// The cost of the writability test of a host's buffer: the common case of
// a heap or stack buffer, a read-only range, and the memory-map reading
// that answers when the kernel lacks MADV_POPULATE_WRITE.
#include <cerrno>
#include <cstddef>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "platform/system_calls.h"

namespace {

using kavu32::platform::IsWritable;

void BM_HeapBuffer(benchmark::State& state) {
  std::vector<char> buffer(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(IsWritable(buffer.data(), buffer.size()));
}
BENCHMARK(BM_HeapBuffer)->Arg(64)->Arg(5280)->Arg(65536);

void BM_StackBuffer(benchmark::State& state) {
  char buffer[256];
  for (auto _ : state) benchmark::DoNotOptimize(IsWritable(buffer, sizeof buffer));
}
BENCHMARK(BM_StackBuffer);

void BM_ReadOnlyRange(benchmark::State& state) {
  static const char text[] = "read-only text";
  for (auto _ : state) benchmark::DoNotOptimize(IsWritable(text, sizeof text));
}
BENCHMARK(BM_ReadOnlyRange);

int MadviseUnknownAdvice(void*, size_t, int) {
  errno = EINVAL;
  return -1;
}

void BM_MemoryMapFallback(benchmark::State& state) {
  std::vector<char> buffer(5280);
  kavu32::platform::SetSystemCall("madvise", &MadviseUnknownAdvice);
  for (auto _ : state) benchmark::DoNotOptimize(IsWritable(buffer.data(), buffer.size()));
  kavu32::platform::ResetSystemCalls();
}
BENCHMARK(BM_MemoryMapFallback);

}  // namespace

BENCHMARK_MAIN();

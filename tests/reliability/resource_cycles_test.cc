// Thousands of complete sessions leave no descriptor, mapping or heap
// block behind. KAVU32_RESOURCE_CYCLES sets the number of cycles (fewer
// under sanitizers and valgrind).
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"
#include "testing/open_resources.h"
#include "sanitizer_build.h"
#include "served_folder.h"

#ifdef KAVU32_UNDER_ADDRESS_SANITIZER
// The sanitizer's own count of the bytes its allocator has handed out
// (declared here: gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace kavu32::testing {
namespace {

constexpr int kDefaultCycles = 10000;
// Growth the allocator may show without a leak: its own bookkeeping.
constexpr size_t kHeapSlackBytes = 16 * 1024;

int Cycles() {
  const char* text = std::getenv("KAVU32_RESOURCE_CYCLES");
  const int cycles = text != nullptr ? std::atoi(text) : kDefaultCycles;
  return cycles > 0 ? cycles : kDefaultCycles;
}

size_t HeapInUse() {
#ifdef KAVU32_UNDER_ADDRESS_SANITIZER
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

struct Resources {
  int Descriptors = 0;
  int MappedRegions = 0;
  size_t HeapBytes = 0;
};

Resources Measure() { return {OpenFileDescriptors(), MappedRegions(), HeapInUse()}; }

// One session: every result's size, the category list's first.
std::vector<int32_t> RunCycle(const std::string& folder, const std::vector<int32_t>& types,
                              std::vector<char>& buffer) {
  std::vector<int32_t> sizes;
  StartUp(folder.c_str(), "");
  sizes.push_back(GetCategories(nullptr));
  sizes.push_back(GetCategories(reinterpret_cast<CategoryRecord*>(buffer.data())));
  SetDateAndName(MakeDate(1992, 6, 19), "Ada Lovelace");
  for (const int32_t type : types) {
    const int32_t size = GetData(type, nullptr);
    sizes.push_back(size > 0 ? GetData(type, buffer.data()) : size);
  }
  ShutDown();
  return sizes;
}

TEST(ResourceCycles, SessionsLeaveNoDescriptorMappingOrHeapBehind) {
  ResetStateForTesting();
  ServedFolder folder;
  const std::vector<int32_t> types = EveryDataType();
  std::vector<char> buffer(64 * 1024);
  const int cycles = Cycles();
  const int warmUp = std::clamp(cycles / 10, 1, 100);

  const std::vector<int32_t> first = RunCycle(folder.Path(), types, buffer);
  ASSERT_EQ(first[0], ServedFolder::kCategoriesSize);
  for (int cycle = 1; cycle < warmUp; ++cycle) RunCycle(folder.Path(), types, buffer);
  const Resources before = Measure();
  for (int cycle = warmUp; cycle < cycles; ++cycle) {
    ASSERT_EQ(RunCycle(folder.Path(), types, buffer), first) << "cycle " << cycle;
  }
  const Resources after = Measure();

  std::cout << "after " << warmUp << " and " << cycles << " cycles: descriptors " << before.Descriptors
            << " -> " << after.Descriptors << ", mapped regions " << before.MappedRegions << " -> "
            << after.MappedRegions << ", heap bytes " << before.HeapBytes << " -> " << after.HeapBytes
            << "\n";
  EXPECT_LE(after.Descriptors, before.Descriptors);
  EXPECT_LE(after.MappedRegions, before.MappedRegions);
  EXPECT_LE(after.HeapBytes, before.HeapBytes + kHeapSlackBytes);
}

}  // namespace
}  // namespace kavu32::testing

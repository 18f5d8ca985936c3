// Thousands of complete sessions leave no descriptor, mapping or heap
// block behind. KAVU32_RESOURCE_CYCLES sets the number of cycles (fewer
// under sanitizers and valgrind).
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"
#include "resource_counts.h"
#include "served_folder.h"

namespace kavu32::testing {
namespace {

constexpr int kDefaultCycles = 10000;

int Cycles() {
  const char* text = std::getenv("KAVU32_RESOURCE_CYCLES");
  const int cycles = text != nullptr ? std::atoi(text) : kDefaultCycles;
  return cycles > 0 ? cycles : kDefaultCycles;
}

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

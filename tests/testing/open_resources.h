// Counts of what the process holds, to show that nothing leaks.
#ifndef KAVU32_TESTS_TESTING_OPEN_RESOURCES_H
#define KAVU32_TESTS_TESTING_OPEN_RESOURCES_H

#include <filesystem>
#include <fstream>
#include <string>

namespace kavu32::testing {

inline int OpenFileDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// The regions of /proc/self/maps that map files whose path contains
// pathPart (all regions for ""). Counting a folder's files leaves out what
// the allocator maps on its own.
inline int MappedRegions(const std::string& pathPart = "") {
  std::ifstream maps("/proc/self/maps");
  int count = 0;
  for (std::string line; std::getline(maps, line);) {
    if (line.find(pathPart) != std::string::npos) ++count;
  }
  return count;
}

}  // namespace kavu32::testing

#endif

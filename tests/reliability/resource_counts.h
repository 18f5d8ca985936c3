// What the process holds, measured before and after many sessions: open
// descriptors, mapped regions and heap bytes in use.
#ifndef KAVU32_TESTS_RELIABILITY_RESOURCE_COUNTS_H
#define KAVU32_TESTS_RELIABILITY_RESOURCE_COUNTS_H

#include <malloc.h>

#include <cstddef>

#include "sanitizer_build.h"
#include "testing/open_resources.h"

#ifdef KAVU32_UNDER_ADDRESS_SANITIZER
// The sanitizer's own count of the bytes its allocator has handed out
// (declared here: gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace kavu32::testing {

// Growth the allocator may show without a leak: its own bookkeeping.
inline constexpr size_t HeapSlackBytes = 16 * 1024;

inline size_t HeapInUse() {
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

inline Resources Measure() { return {OpenFileDescriptors(), MappedRegions(), HeapInUse()}; }

}  // namespace kavu32::testing

#endif

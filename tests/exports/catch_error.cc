// A C++ host linked with the shared library catches its exception type.
#include <cstdio>
#include <cstring>

#include "kavu32.h"

int main() {
  try {
    ShutDown();
  } catch (const kavu32::Error& error) {
    if (std::strcmp(error.what(), "Already ShutDown, StartUp first!") == 0) {
      std::puts("caught kavu32::Error");
      return 0;
    }
    std::printf("wrong message: %s\n", error.what());
    return 1;
  }
  std::puts("no exception");
  return 1;
}

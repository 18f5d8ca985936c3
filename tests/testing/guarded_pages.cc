#include "testing/guarded_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace kavu32::testing {

GuardedPages::GuardedPages(size_t count, char fill) : fill_(fill), mapped_(count, true) {
  void* block =
      ::mmap(nullptr, count * PageSize(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::runtime_error("mmap failed");
  base_ = static_cast<char*>(block);
  std::memset(base_, fill, count * PageSize());
}

// Only the pages still mapped: an address given back may belong to another
// mapping by now.
GuardedPages::~GuardedPages() {
  for (size_t i = 0; i < mapped_.size(); ++i) {
    if (mapped_[i]) ::munmap(Page(i), PageSize());
  }
}

size_t GuardedPages::PageSize() { return static_cast<size_t>(::sysconf(_SC_PAGESIZE)); }

void GuardedPages::Protect(size_t i, int protection) const { ::mprotect(Page(i), PageSize(), protection); }

void GuardedPages::Unmap(size_t i) {
  ::munmap(Page(i), PageSize());
  mapped_[i] = false;
}

bool GuardedPages::Untouched(const char* address, size_t size) const {
  for (size_t i = 0; i < size; ++i) {
    if (address[i] != fill_) return false;
  }
  return true;
}

}  // namespace kavu32::testing

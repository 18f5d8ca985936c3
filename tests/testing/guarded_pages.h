// Pages of private memory, each set by the test to its own protection or
// unmapped, all filled with one byte at first: buffers that end exactly
// at a page edge, and checks that nothing was written.
#ifndef KAVU32_TESTS_TESTING_GUARDED_PAGES_H
#define KAVU32_TESTS_TESTING_GUARDED_PAGES_H

#include <cstddef>
#include <vector>

namespace kavu32::testing {

class GuardedPages {
 public:
  // count read-write pages, every byte fill.
  GuardedPages(size_t count, char fill);
  GuardedPages(const GuardedPages&) = delete;
  GuardedPages& operator=(const GuardedPages&) = delete;
  ~GuardedPages();

  static size_t PageSize();
  char* Page(size_t i) const { return base_ + i * PageSize(); }
  // The size bytes that end where page i begins.
  char* EndingAt(size_t i, size_t size) const { return Page(i) - size; }

  // PROT_READ, PROT_NONE ... for page i.
  void Protect(size_t i, int protection) const;
  void Unmap(size_t i);
  // True when the size bytes from address all still hold the fill byte.
  bool Untouched(const char* address, size_t size) const;

 private:
  char* base_;
  char fill_;
  std::vector<bool> mapped_;
};

}  // namespace kavu32::testing

#endif

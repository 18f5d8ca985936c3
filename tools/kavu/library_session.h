// The host's view of the library: one started session, the category list
// and the items, each fetched with the two-call buffer protocol. Uses the
// library through its exports only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kavu32.h"

namespace kavu {

// One result of the library: the delivered bytes without the terminating
// zero, or a negative code with the library's message for it.
struct Answer {
  int32_t code = 0;
  std::string bytes;
  std::string error;

  bool Ok() const { return code > 0; }
};

struct Category {
  int32_t dataType;
  std::string name;
  int32_t typeCode;
};

// StartUp on construction, ShutDown on destruction.
class LibrarySession {
 public:
  LibrarySession(const std::string& firstFolder, const std::string& secondFolder);
  ~LibrarySession();
  LibrarySession(const LibrarySession&) = delete;
  LibrarySession& operator=(const LibrarySession&) = delete;

  // The category list in catalogue order; a failure leaves it empty.
  Answer ListCategories(std::vector<Category>& categories) const;

  // Raises kavu32::Error for an invalid date.
  void SetDateAndName(const Kavu32Date& date, const std::string& name) const;

  Answer Get(int32_t dataType) const;
};

}  // namespace kavu

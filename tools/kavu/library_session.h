// The host's view of the library: one started session, the category list
// and the items, each fetched with the two-call buffer protocol. Uses the
// library through its exports only.
#ifndef KAVU32_TOOLS_KAVU_LIBRARY_SESSION_H
#define KAVU32_TOOLS_KAVU_LIBRARY_SESSION_H

#include <cstdint>
#include <string>
#include <vector>

#include "kavu32.h"

namespace kavu32::kavu {

// One result of the library: the delivered bytes without the terminating
// zero, or a negative code with the library's message for it.
struct Answer {
  int32_t Code = 0;
  std::string Bytes;
  std::string Message;

  bool Ok() const { return Code > 0; }
};

struct Category {
  int32_t DataType;
  std::string Name;
  int32_t TypeCode;
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

}  // namespace kavu32::kavu

#endif

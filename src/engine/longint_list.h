// TLongintList: signed 32-bit integers back to back in a memory stream;
// the table's copy of the record-offset list.
#ifndef KAVU32_ENGINE_LONGINT_LIST_H
#define KAVU32_ENGINE_LONGINT_LIST_H

#include <cstdint>
#include <cstring>

#include "support/memory_stream.h"

namespace kavu32 {

class TLongintList : public TMemoryStream {
 public:
  int32_t Count() const { return static_cast<int32_t>(Size() / 4); }

  // Fails with "Item index out of bounds" unless 0 <= i < Count().
  int32_t Items(int32_t i) const {
    if (i < 0 || i >= Count()) FailIndex();
    int32_t value;
    std::memcpy(&value, Memory() + int64_t{i} * 4, sizeof value);
    return value;
  }

 private:
  [[noreturn]] static void FailIndex();
};

}  // namespace kavu32

#endif

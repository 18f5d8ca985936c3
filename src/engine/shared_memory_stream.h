// TSharedMemoryStream: reads a block of memory in place. The block is
// never freed, grown or moved; destroying the stream leaves it as it was.
#ifndef KAVU32_ENGINE_SHARED_MEMORY_STREAM_H
#define KAVU32_ENGINE_SHARED_MEMORY_STREAM_H

#include <cstdint>

#include "support/memory_stream.h"

namespace kavu32 {

class TSharedMemoryStream : public TMemoryStream {
 public:
  // Size := size, position 0. A null block of nonzero size fails with
  // "Cannot attach a missing memory block", a negative size with
  // "Stream read error".
  void Attach(const void* memory, int64_t size);
};

}  // namespace kavu32

#endif

#include "engine/shared_memory_stream.h"

#include "engine/engine_errors.h"
#include "support/error.h"

namespace kavu32 {

void TSharedMemoryStream::Attach(const void* memory, int64_t size) {
  if (memory == nullptr && size > 0) throw Error(MissingBlock);
  AttachBlock(static_cast<const uint8_t*>(memory), size);
}

}  // namespace kavu32

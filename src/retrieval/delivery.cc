#include "retrieval/delivery.h"

#include <cstring>
#include <limits>

#include "support/error_codes.h"
#include "interface/host_buffer.h"
#include "interface/library_state.h"
#include "support/error.h"

namespace kavu32 {

namespace {

// The size reported to the host; a result too large for it cannot be
// delivered.
int32_t ReportedSize(size_t bytes) {
  if (bytes >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw Error(kOutOfMemoryInStream);
  }
  return static_cast<int32_t>(bytes + 1);
}

}  // namespace

int32_t DeliverText(void* buffer) {
  const std::string& text = State().ResultText;
  const int32_t size = ReportedSize(text.size());
  if (buffer == nullptr) return size;
  // The whole reported size must be writable, though the copy stops at the
  // first zero character.
  if (!CopyTextToHost(buffer, static_cast<size_t>(size), text.c_str(), std::strlen(text.c_str()))) {
    return kInvalidBufferPointer;
  }
  return size;
}

int32_t DeliverStream(void* buffer) {
  const TMemoryStream* stream = State().ResultStream.get();
  const auto bytes = static_cast<size_t>(stream ? stream->Size() : 0);
  const int32_t size = ReportedSize(bytes);
  if (buffer == nullptr) return size;
  const char* memory = bytes > 0 ? reinterpret_cast<const char*>(stream->Memory()) : "";
  if (!CopyTextToHost(buffer, static_cast<size_t>(size), memory, bytes)) return kInvalidBufferPointer;
  return size;
}

}  // namespace kavu32

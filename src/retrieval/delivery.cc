#include "retrieval/delivery.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/platform.h"
#include "support/error.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// The size reported to the host; a result too large for it cannot be
// delivered.
int32_t ReportedSize(size_t bytes) {
  if (bytes >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw Error(OutOfMemoryInStream);
  }
  return static_cast<int32_t>(bytes + 1);
}

}  // namespace

int32_t DeliverText(const RequestState& state, void* buffer) { return DeliverText(state.ResultText, buffer); }

int32_t DeliverText(std::string_view text, void* buffer) {
  const int32_t size = ReportedSize(text.size());
  if (buffer == nullptr) return size;
  // The whole reported size must be writable, though the copy stops at the
  // first zero character.
  if (!CopyTextToHost(buffer, static_cast<size_t>(size), text.data(),
                      std::min(text.find('\0'), text.size()))) {
    return InvalidBufferPointer;
  }
  return size;
}

int32_t DeliverStream(const RequestState& state, void* buffer) {
  const TMemoryStream* stream = state.ResultStream.get();
  if (stream == nullptr) return DeliverBytes("", buffer);
  return DeliverBytes({reinterpret_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size())},
                      buffer);
}

int32_t DeliverBytes(std::string_view bytes, void* buffer) {
  const int32_t size = ReportedSize(bytes.size());
  if (buffer == nullptr) return size;
  if (!CopyTextToHost(buffer, static_cast<size_t>(size), bytes.data(), bytes.size()))
    return InvalidBufferPointer;
  return size;
}

bool CopyTextToHost(void* buffer, size_t size, const char* text, size_t length) {
  if (!platform::IsWritable(buffer, size)) return false;
  std::memcpy(buffer, text, length);
  static_cast<char*>(buffer)[length] = '\0';
  return true;
}

}  // namespace kavu32

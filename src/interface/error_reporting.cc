#include <algorithm>
#include <string_view>

#include "interface/error_codes.h"
#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"

namespace kavu32 {

int32_t LastErrorCode() { return State().ErrorCode; }

int32_t DescribeLastError(char* buffer) {
  LibraryState& state = State();
  if (state.ErrorCode == kOk) return 0;
  if (state.ErrorCode > 0) {
    state.ErrorCode = kOk;
    return 0;
  }
  if (state.ErrorCode < kDateAndNameNotSet) {
    state.ErrorCode = kUndefinedErrorCode;
    return kUndefinedErrorCode;
  }
  // The text is written in its pieces, so that reading it needs no memory.
  const std::string_view message = ErrorMessages[static_cast<size_t>(-state.ErrorCode)];
  const bool namesGraphic = state.ErrorCode == kMetafileError;
  const std::string_view graphic = state.LastGraphicName;
  const size_t length = message.size() + (namesGraphic ? 1 + graphic.size() : 0);
  const auto size = static_cast<int32_t>(length + 1);
  if (buffer == nullptr) return size;
  // Exactly the bytes written are checked: a buffer of the size the host
  // was told is enough, wherever it ends.
  if (!platform::IsWritable(buffer, static_cast<size_t>(size))) {
    state.ErrorCode = kInvalidBufferPointer;
    return kInvalidBufferPointer;
  }
  char* end = std::copy(message.begin(), message.end(), buffer);
  if (namesGraphic) {
    *end++ = ' ';
    end = std::copy(graphic.begin(), graphic.end(), end);
  }
  *end = '\0';
  return size;
}

}  // namespace kavu32

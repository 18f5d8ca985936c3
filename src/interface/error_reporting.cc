#include <algorithm>
#include <string_view>

#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"
#include "support/error_codes.h"

namespace kavu32 {

int32_t LastErrorCode() { return State().ErrorCode; }

int32_t DescribeLastError(char* buffer) {
  LibraryState& state = State();
  // No error, or a size or count reported last.
  if (state.ErrorCode >= Ok) {
    state.ErrorCode = Ok;
    return 0;
  }
  if (state.ErrorCode < DateAndNameNotSet) {
    state.ErrorCode = UndefinedErrorCode;
    return UndefinedErrorCode;
  }
  // The text is written in its pieces, so that reading it needs no memory.
  const std::string_view message = ErrorMessages[static_cast<size_t>(-state.ErrorCode)];
  const bool namesGraphic = state.ErrorCode == MetafileError;
  const std::string_view graphic = state.LastGraphicName;
  const size_t length = message.size() + (namesGraphic ? 1 + graphic.size() : 0);
  const auto size = static_cast<int32_t>(length + 1);
  if (buffer == nullptr) return size;
  // Exactly the bytes written are checked: a buffer of the size the host
  // was told is enough, wherever it ends.
  if (!platform::IsWritable(buffer, static_cast<size_t>(size))) {
    state.ErrorCode = InvalidBufferPointer;
    return InvalidBufferPointer;
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

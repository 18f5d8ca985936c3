#include <string>

#include "support/error_codes.h"
#include "interface/library_state.h"
#include "interface/operations.h"
#include "retrieval/delivery.h"

namespace kavu32 {

int32_t LastErrorCode() { return State().ErrorCode; }

int32_t DescribeLastError(char* buffer) {
  LibraryState& state = State();
  if (state.ErrorCode == Ok) return 0;
  if (state.ErrorCode > 0) {
    state.ErrorCode = Ok;
    return 0;
  }
  if (state.ErrorCode < DateAndNameNotSet) {
    state.ErrorCode = UndefinedErrorCode;
    return UndefinedErrorCode;
  }
  std::string text = ErrorMessages[static_cast<size_t>(-state.ErrorCode)];
  if (state.ErrorCode == MetafileError) text += " " + state.LastGraphicName;
  const auto size = static_cast<int32_t>(text.size() + 1);
  if (buffer == nullptr) return size;
  // Exactly the bytes written are checked: a buffer of the size the host
  // was told is enough, wherever it ends.
  if (!CopyTextToHost(buffer, static_cast<size_t>(size), text.data(), text.size())) {
    state.ErrorCode = InvalidBufferPointer;
    return InvalidBufferPointer;
  }
  return size;
}

}  // namespace kavu32

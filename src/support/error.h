// The library's one exception type and the failure texts of the shared
// helpers. Every failure inside the library is a kavu32::Error whose what()
// is exactly the message.
#ifndef KAVU32_SUPPORT_ERROR_H
#define KAVU32_SUPPORT_ERROR_H

#include "kavu32.h"

namespace kavu32 {

inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kOutOfMemoryInStream = "Out of memory while expanding memory stream";
inline constexpr const char* kOutOfMemory = "Out of memory";
inline constexpr const char* kListIndexOutOfBounds = "List index out of bounds";
inline constexpr const char* kInvalidDateEncode = "Invalid argument to date encode";

}  // namespace kavu32

#endif

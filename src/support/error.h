// The library's one exception type and the failure texts of the shared
// helpers. Every failure inside the library is a kavu32::Error whose what()
// is exactly the message.
#ifndef KAVU32_SUPPORT_ERROR_H
#define KAVU32_SUPPORT_ERROR_H

#include "kavu32.h"

namespace kavu32 {

inline constexpr const char* StreamReadError = "Stream read error";
inline constexpr const char* StreamWriteError = "Stream write error";
inline constexpr const char* OutOfMemoryInStream = "Out of memory while expanding memory stream";
inline constexpr const char* OutOfMemory = "Out of memory";
inline constexpr const char* ListIndexOutOfBounds = "List index out of bounds";
inline constexpr const char* InvalidDateEncode = "Invalid argument to date encode";

}  // namespace kavu32

#endif

// Copying a result into a caller's buffer under the two-call protocol.
#ifndef KAVU32_INTERFACE_HOST_BUFFER_H
#define KAVU32_INTERFACE_HOST_BUFFER_H

#include <cstddef>

namespace kavu32 {

// When all size bytes at buffer are writable, copies the length bytes of
// text and a terminating zero there (length < size) and returns true;
// otherwise writes nothing and returns false.
bool CopyTextToHost(void* buffer, size_t size, const char* text, size_t length);

}  // namespace kavu32

#endif

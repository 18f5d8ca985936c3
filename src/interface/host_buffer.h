// Copying a result into a caller's buffer under the two-call protocol.
#ifndef KAVU32_INTERFACE_HOST_BUFFER_H
#define KAVU32_INTERFACE_HOST_BUFFER_H

#include <cstddef>

namespace kavu32 {

// Copies count bytes to buffer when all of them are writable; otherwise
// writes nothing and returns false.
bool CopyToHost(void* buffer, const void* bytes, size_t count);

// Copies text and a terminating zero (count bytes in all, the last being
// the zero) when all count bytes are writable.
bool CopyTextToHost(void* buffer, const char* text, size_t count);

}  // namespace kavu32

#endif

// Handing results to the host under the two-call protocol: a null buffer
// asks for the size, otherwise the bytes and a terminating zero are copied
// when the buffer is writable over that size.
#ifndef KAVU32_RETRIEVAL_DELIVERY_H
#define KAVU32_RETRIEVAL_DELIVERY_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "retrieval/get_data.h"

namespace kavu32 {

// ResultText (or text) and its terminator: its length + 1, or -13. A zero
// character inside the text ends the copy there.
int32_t DeliverText(const RequestState& state, void* buffer);
int32_t DeliverText(std::string_view text, void* buffer);

// The bytes of ResultStream (or bytes) unchanged and one zero byte: their
// count + 1, or -13.
int32_t DeliverStream(const RequestState& state, void* buffer);
int32_t DeliverBytes(std::string_view bytes, void* buffer);

// When all size bytes at buffer are writable, copies the length bytes of
// text and a terminating zero there (the caller sees to length < size) and
// returns true; otherwise writes nothing and returns false.
bool CopyTextToHost(void* buffer, size_t size, const char* text, size_t length);

}  // namespace kavu32

#endif

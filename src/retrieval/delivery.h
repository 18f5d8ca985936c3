// Handing GetData's result holders to the host under the two-call
// protocol: a null buffer asks for the size, otherwise the bytes and a
// terminating zero are copied when the buffer is writable over that size.
#ifndef KAVU32_RETRIEVAL_DELIVERY_H
#define KAVU32_RETRIEVAL_DELIVERY_H

#include <cstdint>

namespace kavu32 {

// ResultText and its terminator: its length + 1, or -13. A zero character
// inside the text ends the copy there.
int32_t DeliverText(void* buffer);

// The bytes of ResultStream unchanged and one zero byte: its size + 1, or
// -13.
int32_t DeliverStream(void* buffer);

}  // namespace kavu32

#endif

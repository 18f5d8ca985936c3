#include "interface/host_buffer.h"

#include <cstring>

#include "platform/platform.h"

namespace kavu32 {

bool CopyTextToHost(void* buffer, size_t size, const char* text, size_t length) {
  if (length >= size || !platform::IsWritable(buffer, size)) return false;
  std::memcpy(buffer, text, length);
  static_cast<char*>(buffer)[length] = '\0';
  return true;
}

}  // namespace kavu32

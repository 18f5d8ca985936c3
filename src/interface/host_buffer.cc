#include "interface/host_buffer.h"

#include <cstring>

#include "platform/platform.h"

namespace kavu32 {

bool CopyToHost(void* buffer, const void* bytes, size_t count) {
  if (!platform::IsWritable(buffer, count)) return false;
  if (count > 0) std::memcpy(buffer, bytes, count);
  return true;
}

bool CopyTextToHost(void* buffer, const char* text, size_t count) {
  if (count == 0 || !platform::IsWritable(buffer, count)) return false;
  std::memcpy(buffer, text, count - 1);
  static_cast<char*>(buffer)[count - 1] = '\0';
  return true;
}

}  // namespace kavu32

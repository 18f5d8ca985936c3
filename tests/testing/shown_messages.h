// Collects the messages the library shows (one line each on standard
// error) by replacing the "write" system call for the life of the object.
#ifndef KAVU32_TESTS_TESTING_SHOWN_MESSAGES_H
#define KAVU32_TESTS_TESTING_SHOWN_MESSAGES_H

#include <unistd.h>

#include <string>
#include <vector>

#include "platform/system_calls.h"

namespace kavu32::testing {

class ShownMessages {
 public:
  ShownMessages() {
    Lines().clear();
    platform::SetSystemCall("write", &Record);
  }
  ShownMessages(const ShownMessages&) = delete;
  ShownMessages& operator=(const ShownMessages&) = delete;
  ~ShownMessages() { platform::ResetSystemCalls(); }

  // The lines shown so far, without their line feeds; emptied by Take.
  std::vector<std::string> Take() {
    std::vector<std::string> lines;
    lines.swap(Lines());
    return lines;
  }

 private:
  static std::vector<std::string>& Lines() {
    static std::vector<std::string> lines;
    return lines;
  }

  static ssize_t Record(int fd, const void* bytes, size_t count) {
    if (fd != STDERR_FILENO) return ::write(fd, bytes, count);
    std::string line(static_cast<const char*>(bytes), count);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    Lines().push_back(line);
    return static_cast<ssize_t>(count);
  }
};

}  // namespace kavu32::testing

#endif

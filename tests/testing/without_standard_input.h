// Running a call as a host with standard input closed does: the next file
// opened gets descriptor 0.
#ifndef KAVU32_TESTS_TESTING_WITHOUT_STANDARD_INPUT_H
#define KAVU32_TESTS_TESTING_WITHOUT_STANDARD_INPUT_H

#include <unistd.h>

#include <stdexcept>

namespace kavu32::testing {

// call's result; standard input is back when it returns or throws.
template <typename Call>
auto WithoutStandardInput(Call&& call) {
  struct Restore {
    int Saved;
    ~Restore() {
      ::dup2(Saved, STDIN_FILENO);
      ::close(Saved);
    }
  };
  const int saved = ::dup(STDIN_FILENO);
  if (saved < 0) throw std::runtime_error("standard input cannot be kept aside");
  const Restore restore{saved};
  ::close(STDIN_FILENO);
  return call();
}

}  // namespace kavu32::testing

#endif

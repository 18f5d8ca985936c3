// The message of the kavu32::Error a call raises.
#ifndef KAVU32_TESTS_TESTING_RAISED_MESSAGE_H
#define KAVU32_TESTS_TESTING_RAISED_MESSAGE_H

#include <string>

#include "kavu32.h"

namespace kavu32::testing {

// The message, or "" when the call raises nothing.
template <typename Call>
std::string RaisedMessage(Call&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace kavu32::testing

#endif

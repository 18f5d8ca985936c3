// The message of the kavu32::Error an action raises.
#ifndef KAVU32_TESTS_SUPPORT_UNIT_ERROR_MESSAGE_H
#define KAVU32_TESTS_SUPPORT_UNIT_ERROR_MESSAGE_H

#include <string>

#include "support/error.h"

template <typename Action>
std::string ErrorMessageOf(Action&& action) {
  try {
    action();
  } catch (const kavu32::Error& error) {
    return error.what();
  }
  return "(no error)";
}

#endif

// Small conveniences for calling the exports in tests.
#ifndef KAVU32_TESTS_TESTING_HOST_CALLS_H
#define KAVU32_TESTS_TESTING_HOST_CALLS_H

#include <cstdint>
#include <string>

#include "kavu32.h"

namespace kavu32::testing {

Kavu32Date MakeDate(uint16_t year, uint16_t month, uint16_t day);

// The text GetErrorString gives for the current error code, read with the
// two-call protocol; empty when there is none.
std::string ErrorText();

}  // namespace kavu32::testing

#endif

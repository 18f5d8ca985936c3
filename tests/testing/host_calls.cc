#include "testing/host_calls.h"

#include <gtest/gtest.h>

namespace kavu32::testing {

Kavu32Date MakeDate(uint16_t year, uint16_t month, uint16_t day) {
  return {year, month, /*DayOfWeek*/ 0, day, 0, 0, 0, 0};
}

std::string ErrorText() {
  const int32_t size = GetErrorString(nullptr);
  if (size <= 0) return {};
  std::string text(static_cast<size_t>(size), '#');
  EXPECT_EQ(GetErrorString(text.data()), size);
  EXPECT_EQ(text.back(), '\0');
  text.pop_back();
  return text;
}

}  // namespace kavu32::testing

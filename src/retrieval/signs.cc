#include "retrieval/signs.h"

#include "interface/library_state.h"

namespace kavu32 {

int32_t ZodiacSign() {
  const int32_t monthAndDay = State().DateKey % 10000;
  for (const ZodiacDateRange& range : ZodiacDateRanges) {
    if (range.From <= monthAndDay && monthAndDay <= range.To) return range.Sign;
  }
  return 0;
}

int32_t ChineseSign() {
  const int32_t year = State().DateKey / 10000;
  // A non-negative remainder, so that the sign always names a record.
  return ((year - 4) % 12 + 12) % 12;
}

}  // namespace kavu32

#include "retrieval/signs.h"

namespace kavu32 {

int32_t ZodiacSign(int32_t dateKey) {
  const int32_t monthAndDay = DayKey(dateKey);
  for (const ZodiacDateRange& range : ZodiacDateRanges) {
    if (range.From <= monthAndDay && monthAndDay <= range.To) return range.Sign;
  }
  return 0;
}

int32_t ChineseSign(int32_t dateKey) {
  // A non-negative remainder, so that the sign always names a record.
  return ((YearKey(dateKey) - 4) % 12 + 12) % 12;
}

}  // namespace kavu32

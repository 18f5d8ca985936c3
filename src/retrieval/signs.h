// What the builders derive from DateKey (year * 10000 + month * 100 +
// day): the keys of its year, month and day, and the sign rules: the
// zodiac sign of its month and day, the Chinese-year sign of its year.
#ifndef KAVU32_RETRIEVAL_SIGNS_H
#define KAVU32_RETRIEVAL_SIGNS_H

#include <array>
#include <cstdint>

namespace kavu32 {

// Year, month * 100 + day, and month.
inline int32_t YearKey(int32_t dateKey) { return dateKey / 10000; }
inline int32_t DayKey(int32_t dateKey) { return dateKey % 10000; }
inline int32_t MonthKey(int32_t dateKey) { return DayKey(dateKey) / 100; }

// One range of days (month * 100 + day, both bounds inclusive) and its sign.
struct ZodiacDateRange {
  uint16_t Sign;
  uint16_t From;
  uint16_t To;
};

// Sign 11 has two rows, one at each end of the year; the last upper bound
// lies above every month and day.
inline constexpr std::array<ZodiacDateRange, 13> ZodiacDateRanges = {{
    {11, 101, 119},
    {0, 120, 218},
    {1, 219, 320},
    {2, 321, 419},
    {3, 420, 520},
    {4, 521, 620},
    {5, 621, 722},
    {6, 723, 822},
    {7, 823, 922},
    {8, 923, 1022},
    {9, 1023, 1121},
    {10, 1122, 1221},
    {11, 1222, 3112},
}};

// The zodiac sign 0..11 of dateKey: the first row holding its month and
// day; 0 when none does.
int32_t ZodiacSign(int32_t dateKey);

// The Chinese-year sign 0..11 of dateKey's year (1900 is 0); years below 4
// wrap round to 9..11.
int32_t ChineseSign(int32_t dateKey);

}  // namespace kavu32

#endif

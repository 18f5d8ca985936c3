// Dates as a double counting days from 30 December 1899 (day 0), the
// fraction being the time of day; proleptic Gregorian calendar.
#ifndef KAVU32_SUPPORT_DATE_TIME_H
#define KAVU32_SUPPORT_DATE_TIME_H

#include <cstdint>

namespace kavu32 {

using TDateTime = double;

struct DateParts {
  int Year;
  int Month;
  int Day;
};

struct TimeParts {
  int Hour;
  int Minute;
  int Second;
  int Millisecond;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Fails with "Invalid argument to date encode" unless the date is valid
// (year 1..9999, month 1..12, day within the month).
TDateTime EncodeDate(int year, int month, int day);
// Fails with "Invalid argument to date encode" outside 0:00:00.000..23:59:59.999.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// A negative value is a day before day 0 with the fraction's absolute value
// as its time of day: -1.25 is 29 December 1899, 6:00.

// The calendar date of the whole part (the value truncated toward zero).
// Fails with "Invalid argument to date encode" outside years 1..9999.
DateParts DecodeDate(TDateTime value);
// The time of day of the fraction (of its absolute value for a negative
// value), to the nearest millisecond, never beyond 23:59:59.999. Fails
// with "Invalid argument to date encode" when value is not finite.
TimeParts DecodeTime(TDateTime value);
// 1 = Sunday .. 7 = Saturday; fails as DecodeDate does.
int DayOfWeek(TDateTime value);

// The date-time of a whole day count and a time of day (0 <= time < 1).
TDateTime CombineDateTime(TDateTime date, TDateTime time);

}  // namespace kavu32

#endif

#include "support/date_time.h"

#include <algorithm>
#include <cmath>

#include "support/error.h"

namespace kavu32 {

namespace {

constexpr int64_t MillisecondsPerDay = 86'400'000;
// Day count of 1 January 1970, the origin of the civil-day arithmetic.
constexpr int64_t UnixEpochDay = 25'569;
// Day counts of 1 January 0001 and 31 December 9999.
constexpr double FirstDay = -693'593;
constexpr double LastDay = 2'958'465;

[[noreturn]] void FailEncode() { throw Error(InvalidDateEncode); }

// Days from 1970-01-01 in the proleptic Gregorian calendar, counted in eras
// of 400 years that start on 1 March 0000; dates from 0001 on only.
int64_t CivilToDays(int year, int month, int day) {
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t era = y / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146'097 + dayOfEra - 719'468;
}

// The inverse of CivilToDays, for days from 0001-01-01 on.
DateParts DaysToCivil(int64_t days) {
  days += 719'468;
  const int64_t era = days / 146'097;
  const int64_t dayOfEra = days - era * 146'097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// The whole day count of value.
int64_t WholeDay(TDateTime value) {
  const double day = std::trunc(value);
  if (!(day >= FirstDay && day <= LastDay)) FailEncode();
  return static_cast<int64_t>(day);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

TDateTime EncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) FailEncode();
  return static_cast<double>(CivilToDays(year, month, day) + UnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999) {
    FailEncode();
  }
  const int64_t total = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(total) / static_cast<double>(MillisecondsPerDay);
}

DateParts DecodeDate(TDateTime value) { return DaysToCivil(WholeDay(value) - UnixEpochDay); }

TimeParts DecodeTime(TDateTime value) {
  if (!std::isfinite(value)) FailEncode();
  const double fraction = std::fabs(value - std::trunc(value));
  // A fraction just below a whole day stays on the last millisecond.
  const int64_t ms =
      std::min(static_cast<int64_t>(std::llround(fraction * MillisecondsPerDay)), MillisecondsPerDay - 1);
  return {static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

int DayOfWeek(TDateTime value) {
  // Day 0 was a Saturday.
  const int64_t shifted = (WholeDay(value) + 6) % 7;
  return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

TDateTime CombineDateTime(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

}  // namespace kavu32

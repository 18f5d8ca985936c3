// FormatDateTime: the date-time formatter with the standard pattern
// letters (case-insensitive):
//   d dd ddd dddd    day, day with zero, short and long day name
//   ddddd dddddd     the short and the long date format of the settings
//   m mm mmm mmmm    month (minute when it follows an hour), short/long name
//   yy yyyy          two- and four-digit year
//   h hh n nn s ss   hour, minute, second (hour in 12 when am/pm is used)
//   am/pm a/p ampm   the designators (ampm: the settings' strings)
//   / :              the settings' date and time separators
//   "..." '...'      literal text
// Every other character is copied unchanged.
#ifndef KAVU32_SUPPORT_DATE_FORMAT_H
#define KAVU32_SUPPORT_DATE_FORMAT_H

#include <string>
#include <string_view>

#include "support/date_time.h"
#include "support/regional_settings.h"

namespace kavu32 {

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const RegionalSettings& settings = Regional());

}  // namespace kavu32

#endif

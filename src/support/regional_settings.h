// The regional settings, read once when the library is loaded. The
// defaults are those of an English system; the platform may replace them
// from the system's (on Linux: the process's) locale.
#ifndef KAVU32_SUPPORT_REGIONAL_SETTINGS_H
#define KAVU32_SUPPORT_REGIONAL_SETTINGS_H

#include <array>
#include <string>

namespace kavu32 {

struct RegionalSettings {
  std::string ShortDateFormat = "m/d/yy";
  std::string LongDateFormat = "mmmm d, yyyy";
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string TimeAMString = "am";
  std::string TimePMString = "pm";
  std::string LongTimeFormat = "h:mm:ss AMPM";
};

// The settings in force: read from the platform on first use (the library
// touches them once while loading, so that is load time).
const RegionalSettings& Regional();

// For tests: replaces the settings in force.
void SetRegionalForTesting(const RegionalSettings& settings);

}  // namespace kavu32

#endif

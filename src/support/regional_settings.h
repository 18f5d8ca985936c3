// The regional settings the text conversions follow. The defaults are
// those of an English system; the platform reads the system's (on Linux:
// the process's) locale into this record when the library is loaded.
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
  std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
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

// The settings in force: the defaults until SetRegional replaces them.
const RegionalSettings& Regional();

// Puts settings in force. The library does so once, when it is loaded,
// with the settings the platform reads (interface/library_state.cc);
// tests put their own.
void SetRegional(const RegionalSettings& settings);

}  // namespace kavu32

#endif

// Text conversions of numbers and date-times under the regional settings.
#ifndef KAVU32_SUPPORT_NUMBER_TEXT_H
#define KAVU32_SUPPORT_NUMBER_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

#include "support/date_time.h"
#include "support/regional_settings.h"

namespace kavu32 {

// Decimal digits, a leading hyphen-minus for negatives, no grouping.
std::string IntToStr(int32_t value);

// General format: at most 15 significant digits, trailing zeros dropped;
// fixed notation for exponents -3..15 (value as 0.d1d2.. x 10^e), else
// scientific (1E20, 1.5E-5).
std::string FloatToStr(double value, const RegionalSettings& settings = Regional());

// Leading blanks, then [+|-]digits or $hexdigits, nothing after; must fit
// in int32. Fails with "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Fails with "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text, const RegionalSettings& settings = Regional());

// A date in the order of the short date format, optionally followed by a
// time; or a time alone. Fails with "'%s' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text, const RegionalSettings& settings = Regional());

// The short date, and a blank and the long time when the time of day is
// not midnight.
std::string DateTimeToStr(TDateTime value, const RegionalSettings& settings = Regional());

// Nearest integer, halves to the even neighbour; fails with
// "'%s' is not a valid integer value" when out of the int32 range.
int32_t RoundHalfEven(double value);

}  // namespace kavu32

#endif

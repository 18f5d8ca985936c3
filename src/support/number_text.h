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
// scientific (1E20, 1.5E-5). NaN and infinities give NAN, INF and -INF.
std::string FloatToStr(double value, const RegionalSettings& settings = Regional());

// Leading blanks, then [+|-]digits or $hexdigits, nothing after; must fit
// in int32. Fails with "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Leading and trailing blanks, [+|-], digits with an optional decimal
// separator (the settings') and fraction, at least one digit, then an
// optional exponent (E or e, [+|-], digits). A value too small for a
// double gives 0. Fails with "'%s' is not a valid floating point value",
// also for a value too large for a double.
double StrToFloat(std::string_view text, const RegionalSettings& settings = Regional());

// A date in the order of the short date format's first d, m or y letter,
// its parts joined by the date separator (day and month of 1 or 2 digits,
// the year of 1 or 2 digits, expanded by ExpandTwoDigitYear with
// currentYear, or of 3 or 4 digits as written), optionally followed by
// blanks and a time; or a time alone. A time is h:mm or h:mm:ss with the
// time separator, optionally followed by blanks and a designator (the
// settings' strings, am, pm, a or p in any case; the hour then 1..12).
// Leading and trailing blanks are allowed. Fails with "'%s' is not a valid
// date and time".
TDateTime StrToDateTime(std::string_view text, int currentYear,
                        const RegionalSettings& settings = Regional());

// The year of the century window that starts 50 years before currentYear
// (currentYear - 50 .. currentYear + 49) ending in twoDigitYear (0..99).
int ExpandTwoDigitYear(int twoDigitYear, int currentYear);

// The short date, and a blank and the long time when the time of day is
// not midnight.
std::string DateTimeToStr(TDateTime value, const RegionalSettings& settings = Regional());

// Nearest integer, halves to the even neighbour; fails with
// "'%s' is not a valid integer value" (the FloatToStr text of value) when
// out of the int32 range or not a number.
int32_t RoundHalfEven(double value);

}  // namespace kavu32

#endif

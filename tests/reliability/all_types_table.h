// An additional (non-standard) table with a field of every type code, so
// that the categories 20 and up reach every delivery path: text, memo
// bytes, -14 for blob and graphic, -2 for boolean.
#ifndef KAVU32_TESTS_RELIABILITY_ALL_TYPES_TABLE_H
#define KAVU32_TESTS_RELIABILITY_ALL_TYPES_TABLE_H

#include "testing/table_image.h"

namespace kavu32::testing {

// "Almanac", keyed by YEAR (1969, 1992, 2000): YEAR, FLAG, RATIO, LABEL,
// STAMP, BYTES, NOTE, PICTURE, one descriptor of type code 9 between
// them. Its categories are 20 to 27 in the field order above.
TableImageBuilder AllTypesTable();

}  // namespace kavu32::testing

#endif

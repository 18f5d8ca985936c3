#include "all_types_table.h"

#include <string>

#include "engine/field.h"

namespace kavu32::testing {

TableImageBuilder AllTypesTable() {
  using namespace std::string_literals;
  constexpr uint8_t skippedType = 9;
  TableImageBuilder table("Almanac");
  table.Field("YEAR", IntegerType, 1)
      .Field("FLAG", BooleanType)
      .Field("RATIO", FloatType)
      .Field("UNUSED", skippedType)
      .Field("LABEL", StringType)
      .Field("STAMP", DateTimeType)
      .Field("BYTES", BlobType)
      .Field("NOTE", MemoType)
      .Field("PICTURE", GraphicType);
  table.Record({1969, true, 0.25, "Moon"s, 25404.5, "\x01\x02"s, "Apollo\r\n11"s, "GIF8"s});
  table.Record({1992, false, -1.5e20, ""s, 33774.0, ""s, ""s, ""s});
  table.Record({2000, true, 3.0, "Leap"s, 36585.75, "\0\0"s, "Y2K\0memo"s, "\xff"s});
  return table;
}

}  // namespace kavu32::testing

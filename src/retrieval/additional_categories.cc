// Every data type outside 1 to 19: one field of the birth date's record in
// an additional table, found by the key the category's KeyMode selects.
#include "engine/field.h"
#include "engine/table.h"
#include "retrieval/builders.h"
#include "retrieval/signs.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// The parts of dateKey that form the table's key: bit 0 year, bit 1 month,
// bit 2 day; combinations without a key of their own use the whole date.
int32_t KeyOfMode(int32_t keyMode, int32_t dateKey) {
  switch (keyMode) {
    case 1:
      return YearKey(dateKey);
    case 2:
      return MonthKey(dateKey);
    case 3:
      return dateKey / 100;
    case 6:
      return DayKey(dateKey);
    default:
      return dateKey;
  }
}

}  // namespace

int32_t BuildAdditionalCategory(const Request& request) {
  const CategoryItem& item = request.Item;
  // No record is tested before the kind of the field.
  const TsTable* table = FindRecord(request, KeyOfMode(item.KeyMode, request.State.DateKey));
  if (table == nullptr) return NoData;
  const auto typeCode = static_cast<uint8_t>(item.TypeCode & 0xFF);
  // A boolean field has no text form: its read fails under the preset -2.
  if (typeCode <= DateTimeType) return DeliverFieldText(request, *table, item.FieldNo);
  if (typeCode == MemoType) return DeliverFieldMemo(request, *table, item.FieldNo);
  return GraphicCategoryUnsupported;
}

}  // namespace kavu32

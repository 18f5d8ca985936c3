// Every data type outside 1 to 19: one field of the birth date's record in
// an additional table, found by the key the category's KeyMode selects.
#include "engine/field.h"
#include "engine/table.h"
#include "support/error_codes.h"
#include "retrieval/builders.h"

namespace kavu32 {

namespace {

// The parts of DateKey that form the table's key: bit 0 year, bit 1 month,
// bit 2 day; combinations without a key of their own use the whole date.
int32_t KeyOfMode(int32_t keyMode) {
  const int32_t dateKey = State().DateKey;
  switch (keyMode) {
    case 1: return YearKey();
    case 2: return MonthKey();
    case 3: return dateKey / 100;
    case 6: return DayKey();
    default: return dateKey;
  }
}

}  // namespace

int32_t BuildAdditionalCategory(const Request& request) {
  const CategoryItem& item = request.Item;
  // No record is tested before the kind of the field.
  const TsTable* table = FindRecord(request.Entry, KeyOfMode(item.KeyMode));
  if (table == nullptr) return kNoData;
  const auto typeCode = static_cast<uint8_t>(item.TypeCode & 0xFF);
  // A boolean field has no text form: its read fails under the preset -2.
  if (typeCode <= kDateTimeType) return DeliverFieldText(*table, item.FieldNo, request.Buffer);
  if (typeCode == kMemoType) return DeliverFieldMemo(*table, item.FieldNo, request.Buffer);
  return kGraphicCategoryUnsupported;
}

}  // namespace kavu32

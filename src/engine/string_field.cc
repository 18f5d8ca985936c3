#include <algorithm>
#include <utility>

#include "engine/field.h"
#include "engine/table_format.h"
#include "platform/platform.h"
#include "support/number_text.h"

namespace kavu32 {

TsStringField::TsStringField(TsTable* table, std::string name) : TsField(table, std::move(name), StringType) {}

std::string TsStringField::AsString() const {
  const std::span<const uint8_t> stored = StoredBytes();
  // The length byte, when there is a value, counts the bytes after it.
  if (stored.empty()) return {};
  return std::string(reinterpret_cast<const char*>(stored.data() + 1), stored.size() - 1);
}

void TsStringField::SetAsString(const std::string& value) {
  RequireEditMode();
  const size_t length = std::min<size_t>(value.size(), MaxStringLength);
  uint8_t stored[MaxStringLength + 1];
  stored[0] = static_cast<uint8_t>(length);
  std::copy_n(value.data(), length, stored + 1);
  StoreData(stored, static_cast<int32_t>(length + 1));
}

int32_t TsStringField::AsInteger() const { return StrToInt(AsString()); }
void TsStringField::SetAsInteger(int32_t value) { SetAsString(IntToStr(value)); }
double TsStringField::AsFloat() const { return StrToFloat(AsString()); }
void TsStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }
TDateTime TsStringField::AsDateTime() const { return StrToDateTime(AsString(), platform::Today().Year); }
void TsStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }
void TsStringField::Clear() { SetAsString(std::string()); }

}  // namespace kavu32

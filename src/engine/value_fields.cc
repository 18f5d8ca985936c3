// The boolean, integer, float and date-time fields: fixed-size values
// whose conversions go through their stored accessor.
#include <utility>

#include "engine/field.h"
#include "platform/platform.h"
#include "support/number_text.h"

namespace kavu32 {

// --- Boolean -------------------------------------------------------------

TsBooleanField::TsBooleanField(TsTable* table, std::string name) : TsField(table, std::move(name), BooleanType) {
  SetDataSize(sizeof(uint8_t));
}

bool TsBooleanField::AsBoolean() const { return Stored<uint8_t>() != 0; }
void TsBooleanField::SetAsBoolean(bool value) { Store<uint8_t>(value ? 1 : 0); }
void TsBooleanField::Clear() { SetAsBoolean(false); }

// --- Integer -------------------------------------------------------------

TsIntegerField::TsIntegerField(TsTable* table, std::string name) : TsField(table, std::move(name), IntegerType) {
  SetDataSize(sizeof(int32_t));
}

int32_t TsIntegerField::AsInteger() const { return Stored<int32_t>(); }
void TsIntegerField::SetAsInteger(int32_t value) { Store(value); }
double TsIntegerField::AsFloat() const { return AsInteger(); }
void TsIntegerField::SetAsFloat(double value) { SetAsInteger(RoundHalfEven(value)); }
std::string TsIntegerField::AsString() const { return IntToStr(AsInteger()); }
void TsIntegerField::SetAsString(const std::string& value) { SetAsInteger(StrToInt(value)); }
void TsIntegerField::Clear() { SetAsInteger(0); }

// --- Float ---------------------------------------------------------------

TsFloatField::TsFloatField(TsTable* table, std::string name) : TsField(table, std::move(name), FloatType) {
  SetDataSize(sizeof(double));
}

int32_t TsFloatField::AsInteger() const { return RoundHalfEven(AsFloat()); }
void TsFloatField::SetAsInteger(int32_t value) { SetAsFloat(value); }
double TsFloatField::AsFloat() const { return Stored<double>(); }
void TsFloatField::SetAsFloat(double value) { Store(value); }
std::string TsFloatField::AsString() const { return FloatToStr(AsFloat()); }
void TsFloatField::SetAsString(const std::string& value) { SetAsFloat(StrToFloat(value)); }
void TsFloatField::Clear() { SetAsFloat(0.0); }

// --- Date-time -----------------------------------------------------------

TsDateTimeField::TsDateTimeField(TsTable* table, std::string name) : TsField(table, std::move(name), DateTimeType) {
  SetDataSize(sizeof(TDateTime));
}

int32_t TsDateTimeField::AsInteger() const { return RoundHalfEven(AsDateTime()); }
void TsDateTimeField::SetAsInteger(int32_t value) { SetAsDateTime(value); }
double TsDateTimeField::AsFloat() const { return AsDateTime(); }
void TsDateTimeField::SetAsFloat(double value) { SetAsDateTime(value); }
std::string TsDateTimeField::AsString() const { return DateTimeToStr(AsDateTime()); }
void TsDateTimeField::SetAsString(const std::string& value) {
  SetAsDateTime(StrToDateTime(value, platform::Today().Year));
}
TDateTime TsDateTimeField::AsDateTime() const { return Stored<TDateTime>(); }
void TsDateTimeField::SetAsDateTime(TDateTime value) { Store(value); }
void TsDateTimeField::Clear() { SetAsDateTime(0.0); }

}  // namespace kavu32

#include "engine/field.h"

#include <utility>

#include "engine/engine_errors.h"
#include "engine/table.h"
#include "engine/table_format.h"
#include "support/error.h"

namespace kavu32 {

namespace {

constexpr const char* kBooleanKind = "a boolean";
constexpr const char* kIntegerKind = "an integer";
constexpr const char* kFloatKind = "a float";
constexpr const char* kStringKind = "a string";
constexpr const char* kDateTimeKind = "a date and time";

}  // namespace

TsField::TsField(TsTable* table, std::string name) : field_name_(std::move(name)), table_(table) {}

TsField::~TsField() = default;

void TsField::ReadValue(TMemoryStream& source) {
  const StoredValue value = StoredValueAt(source.Memory(), source.Size(), source.Position(), field_type_);
  SetDataSize(static_cast<int32_t>(value.Size));
  WriteData(value.Bytes);
  source.Seek(value.End);
}

void TsField::WriteValue(TMemoryStream& target) const { target.Write(buffer_.Memory(), data_size_); }

bool TsField::AsBoolean() const { FailConversionTo(kBooleanKind); }
void TsField::SetAsBoolean(bool) { FailAssignmentOf(kBooleanKind); }
int32_t TsField::AsInteger() const { FailConversionTo(kIntegerKind); }
void TsField::SetAsInteger(int32_t) { FailAssignmentOf(kIntegerKind); }
double TsField::AsFloat() const { FailConversionTo(kFloatKind); }
void TsField::SetAsFloat(double) { FailAssignmentOf(kFloatKind); }
std::string TsField::AsString() const { FailConversionTo(kStringKind); }
void TsField::SetAsString(const std::string&) { FailAssignmentOf(kStringKind); }
TDateTime TsField::AsDateTime() const { FailConversionTo(kDateTimeKind); }
void TsField::SetAsDateTime(TDateTime) { FailAssignmentOf(kDateTimeKind); }

void TsField::Clear() { SetDataSize(0); }

void TsField::ReadData(void* area) const {
  if (data_size_ > 0) std::memcpy(area, buffer_.Memory(), static_cast<size_t>(data_size_));
}

void TsField::SetDataSize(int32_t size) {
  buffer_.SetSize(size);
  buffer_.Seek(0);
  data_size_ = size;
}

void TsField::WriteData(const void* area) {
  buffer_.Seek(0);
  buffer_.Write(area, data_size_);
}

void TsField::RequireEditMode() const {
  if (table_ == nullptr || !table_->EditMode()) throw Error(kNotInEditMode);
}

void TsField::FailConversionTo(const char* kind) const {
  throw Error("Cannot convert field '" + field_name_ + "' to " + kind);
}

void TsField::FailAssignmentOf(const char* kind) const {
  throw Error("Cannot assign " + std::string(kind) + " to field '" + field_name_ + "'");
}

// --- Blob, memo and graphic fields -------------------------------------

TsBlobField::TsBlobField(TsTable* table, std::string name) : TsField(table, std::move(name)) {
  SetFieldType(kBlobType);
}

void TsBlobField::WriteValue(TMemoryStream& target) const {
  const int32_t length = DataSize();
  target.Write(&length, kBlobLengthSize);
  TsField::WriteValue(target);
}

void TsBlobField::SaveToStream(TMemoryStream& target) const {
  if (DataSize() > 0) target.Write(StoredBytes().data(), DataSize());
}

TsMemoField::TsMemoField(TsTable* table, std::string name) : TsBlobField(table, std::move(name)) {
  SetFieldType(kMemoType);
}

TsGraphicField::TsGraphicField(TsTable* table, std::string name) : TsBlobField(table, std::move(name)) {
  SetFieldType(kGraphicType);
}

std::unique_ptr<TsField> NewField(TsTable* table, uint8_t typeCode, std::string name) {
  switch (typeCode) {
    case kBooleanType:
      return std::make_unique<TsBooleanField>(table, std::move(name));
    case kIntegerType:
      return std::make_unique<TsIntegerField>(table, std::move(name));
    case kFloatType:
      return std::make_unique<TsFloatField>(table, std::move(name));
    case kStringType:
      return std::make_unique<TsStringField>(table, std::move(name));
    case kDateTimeType:
      return std::make_unique<TsDateTimeField>(table, std::move(name));
    case kBlobType:
      return std::make_unique<TsBlobField>(table, std::move(name));
    case kMemoType:
      return std::make_unique<TsMemoField>(table, std::move(name));
    case kGraphicType:
      return std::make_unique<TsGraphicField>(table, std::move(name));
    default:
      return nullptr;
  }
}

}  // namespace kavu32

#include "engine/field.h"

#include <utility>

#include "engine/engine_errors.h"
#include "engine/table.h"
#include "engine/table_format.h"
#include "support/error.h"

namespace kavu32 {

namespace {

constexpr const char* BooleanKind = "a boolean";
constexpr const char* IntegerKind = "an integer";
constexpr const char* FloatKind = "a float";
constexpr const char* StringKind = "a string";
constexpr const char* DateTimeKind = "a date and time";

}  // namespace

TsField::TsField(TsTable* table, std::string name, uint8_t type)
    : field_name_(std::move(name)), field_type_(type), table_(table) {}

TsField::~TsField() = default;

void TsField::ReadValue(TMemoryStream& source) {
  const StoredValue value = StoredValueAt(source.Memory(), source.Size(), source.Position(), field_type_);
  StoreData(value.Bytes, static_cast<int32_t>(value.Size));
  source.Seek(value.End);
}

void TsField::WriteValue(TMemoryStream& target) const { target.Write(buffer_.Memory(), data_size_); }

bool TsField::AsBoolean() const { FailConversionTo(BooleanKind); }
void TsField::SetAsBoolean(bool) { FailAssignmentOf(BooleanKind); }
int32_t TsField::AsInteger() const { FailConversionTo(IntegerKind); }
void TsField::SetAsInteger(int32_t) { FailAssignmentOf(IntegerKind); }
double TsField::AsFloat() const { FailConversionTo(FloatKind); }
void TsField::SetAsFloat(double) { FailAssignmentOf(FloatKind); }
std::string TsField::AsString() const { FailConversionTo(StringKind); }
void TsField::SetAsString(const std::string&) { FailAssignmentOf(StringKind); }
TDateTime TsField::AsDateTime() const { FailConversionTo(DateTimeKind); }
void TsField::SetAsDateTime(TDateTime) { FailAssignmentOf(DateTimeKind); }

void TsField::Clear() { SetDataSize(0); }

void TsField::SetDataSize(int32_t size) {
  buffer_.SetSize(size);
  buffer_.Seek(0);
  data_size_ = size;
}

void TsField::StoreData(const void* area, int32_t size) {
  buffer_.Assign(area, size);
  data_size_ = size;
}

void TsField::WriteData(const void* area) {
  buffer_.Seek(0);
  buffer_.Write(area, data_size_);
}

void TsField::RequireEditMode() const {
  if (table_ == nullptr || !table_->EditMode()) throw Error(NotInEditMode);
}

void TsField::FailConversionTo(const char* kind) const {
  throw Error("Cannot convert field '" + field_name_ + "' to " + kind);
}

void TsField::FailAssignmentOf(const char* kind) const {
  throw Error("Cannot assign " + std::string(kind) + " to field '" + field_name_ + "'");
}

// --- Blob, memo and graphic fields -------------------------------------

TsBlobField::TsBlobField(TsTable* table, std::string name) : TsBlobField(table, std::move(name), BlobType) {}

TsBlobField::TsBlobField(TsTable* table, std::string name, uint8_t type) : TsField(table, std::move(name), type) {}

void TsBlobField::WriteValue(TMemoryStream& target) const {
  const int32_t length = DataSize();
  target.Write(&length, BlobLengthSize);
  TsField::WriteValue(target);
}

void TsBlobField::SaveToStream(TMemoryStream& target) const { TsField::WriteValue(target); }

TsMemoField::TsMemoField(TsTable* table, std::string name) : TsBlobField(table, std::move(name), MemoType) {}

TsGraphicField::TsGraphicField(TsTable* table, std::string name)
    : TsBlobField(table, std::move(name), GraphicType) {}

std::unique_ptr<TsField> NewField(TsTable* table, uint8_t typeCode, std::string name) {
  switch (typeCode) {
    case BooleanType:
      return std::make_unique<TsBooleanField>(table, std::move(name));
    case IntegerType:
      return std::make_unique<TsIntegerField>(table, std::move(name));
    case FloatType:
      return std::make_unique<TsFloatField>(table, std::move(name));
    case StringType:
      return std::make_unique<TsStringField>(table, std::move(name));
    case DateTimeType:
      return std::make_unique<TsDateTimeField>(table, std::move(name));
    case BlobType:
      return std::make_unique<TsBlobField>(table, std::move(name));
    case MemoType:
      return std::make_unique<TsMemoField>(table, std::move(name));
    case GraphicType:
      return std::make_unique<TsGraphicField>(table, std::move(name));
    default:
      return nullptr;
  }
}

}  // namespace kavu32

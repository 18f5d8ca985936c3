// The field objects of an open table: one per column, holding the current
// record's value in its stored form and converting it on demand.
#ifndef KAVU32_ENGINE_FIELD_H
#define KAVU32_ENGINE_FIELD_H

#include <cstdint>
#include <string>

#include "support/date_time.h"
#include "support/memory_stream.h"

namespace kavu32 {

class TsTable;

// Type codes of the .dtf format.
enum TypeCode : uint8_t {
  kBooleanType = 0,
  kIntegerType = 1,
  kFloatType = 2,
  kStringType = 3,
  kDateTimeType = 4,
  kBlobType = 5,
  kMemoType = 6,
  kGraphicType = 7,
};

class TsField {
 public:
  TsField(TsTable* table, std::string name);
  TsField(const TsField&) = delete;
  TsField& operator=(const TsField&) = delete;
  virtual ~TsField();

  // The 13 virtual operations, in slot order. Unsupported conversions fail
  // with a kavu32::Error naming the field and the conversion.
  virtual void ReadValue(TMemoryStream& source);
  virtual void WriteValue(TMemoryStream& target) const;
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool value);
  virtual int32_t AsInteger() const;
  virtual void SetAsInteger(int32_t value);
  virtual double AsFloat() const;
  virtual void SetAsFloat(double value);
  virtual std::string AsString() const;
  virtual void SetAsString(const std::string& value);
  virtual TDateTime AsDateTime() const;
  virtual void SetAsDateTime(TDateTime value);
  virtual void Clear();

  const std::string& FieldName() const { return field_name_; }
  uint8_t FieldType() const { return field_type_; }
  int32_t DataSize() const { return data_size_; }

  void SetDataSize(int32_t size);
  void ReadData(void* area) const;
  void WriteData(const void* area);

 protected:
  void SetFieldType(uint8_t type) { field_type_ = type; }
  // Fails with "Table not in Edit mode" unless the owning table is in
  // edit mode.
  void RequireEditMode() const;
  const TMemoryStream& Buffer() const { return buffer_; }

 private:
  std::string field_name_;
  uint8_t field_type_ = 0;
  TMemoryStream buffer_;
  int32_t data_size_ = 0;
  TsTable* table_;
};

}  // namespace kavu32

#endif

// The field objects of an open table: one per column, holding the current
// record's value in its stored form and converting it on demand.
#ifndef KAVU32_ENGINE_FIELD_H
#define KAVU32_ENGINE_FIELD_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "engine/table_format.h"
#include "support/date_time.h"
#include "support/memory_stream.h"

namespace kavu32 {

class TsTable;

class TsField {
 public:
  TsField(TsTable* table, std::string name, uint8_t type);
  TsField(const TsField&) = delete;
  TsField& operator=(const TsField&) = delete;
  virtual ~TsField();

  // The 13 virtual operations, in the order the design numbers them (0
  // ReadValue to 12 Clear); the compiler's table of virtual functions
  // also holds the destructor, declared first. Unsupported conversions fail
  // with a kavu32::Error naming the field and the conversion; the stored
  // setters fail with "Table not in Edit mode" outside edit mode.
  // ReadValue takes the value of the field's type at source's position
  // (StoredValueAt), advancing past it; a failure changes nothing.
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

  // The value's bytes in stored form (a string's with its length byte).
  std::span<const uint8_t> StoredBytes() const { return {buffer_.Memory(), static_cast<size_t>(data_size_)}; }

 protected:
  // DataSize := size; the buffer holds size bytes, position 0.
  void SetDataSize(int32_t size);
  // Copies DataSize bytes from area into the buffer.
  void WriteData(const void* area);
  // SetDataSize(size) and WriteData(area) in one step; the position is
  // the buffer's end.
  void StoreData(const void* area, int32_t size);
  // Fails with "Table not in Edit mode" unless the owning table is in
  // edit mode.
  void RequireEditMode() const;

  // The value of a fixed-size field, and its stored setter.
  template <typename T>
  T Stored() const {
    T value{};
    std::memcpy(&value, buffer_.Memory(), std::min(sizeof value, static_cast<size_t>(data_size_)));
    return value;
  }
  template <typename T>
  void Store(T value) {
    RequireEditMode();
    WriteData(&value);
  }

  [[noreturn]] void FailConversionTo(const char* kind) const;
  [[noreturn]] void FailAssignmentOf(const char* kind) const;

 private:
  std::string field_name_;
  uint8_t field_type_;
  TMemoryStream buffer_;
  int32_t data_size_{};
  TsTable* table_;
};

class TsBooleanField final : public TsField {
 public:
  TsBooleanField(TsTable* table, std::string name);
  bool AsBoolean() const override;
  void SetAsBoolean(bool value) override;
  void Clear() override;
};

class TsIntegerField final : public TsField {
 public:
  TsIntegerField(TsTable* table, std::string name);
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;
  void Clear() override;
};

class TsFloatField final : public TsField {
 public:
  TsFloatField(TsTable* table, std::string name);
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;
  void Clear() override;
};

class TsStringField final : public TsField {
 public:
  TsStringField(TsTable* table, std::string name);
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  // At most 255 characters; a longer text is stored cut to 255.
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  void Clear() override;
};

class TsDateTimeField final : public TsField {
 public:
  TsDateTimeField(TsTable* table, std::string name);
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  void Clear() override;
};

// Bytes of any length, stored after a 4-byte signed length.
class TsBlobField : public TsField {
 public:
  TsBlobField(TsTable* table, std::string name);
  void WriteValue(TMemoryStream& target) const override;
  // Writes the DataSize bytes of the value at target's position,
  // advancing it; an empty value writes nothing.
  void SaveToStream(TMemoryStream& target) const;

 protected:
  // Memo and graphic fields: blobs with a type code of their own.
  TsBlobField(TsTable* table, std::string name, uint8_t type);
};

class TsMemoField final : public TsBlobField {
 public:
  TsMemoField(TsTable* table, std::string name);
};

class TsGraphicField final : public TsBlobField {
 public:
  TsGraphicField(TsTable* table, std::string name);
};

// The field of a type code 0 to 7; null for any other code.
std::unique_ptr<TsField> NewField(TsTable* table, uint8_t typeCode, std::string name);

}  // namespace kavu32

#endif

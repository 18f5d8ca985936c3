// TsTable: one open .dtf table read in place from a memory image, with a
// read-only cursor moved by FindKey, a bisection over the record offsets.
#ifndef KAVU32_ENGINE_TABLE_H
#define KAVU32_ENGINE_TABLE_H

#include <cstdint>
#include <span>
#include <string>

#include "engine/field.h"
#include "engine/search_key.h"

namespace kavu32 {

class TsTable {
 public:
  // Reads nothing; the image must stay readable and unchanged from Open
  // until Close.
  TsTable(const uint8_t* image, int32_t imageSize);
  TsTable(const TsTable&) = delete;
  TsTable& operator=(const TsTable&) = delete;
  virtual ~TsTable();

  // Reads header, descriptors and record offsets and makes record 0
  // current. A malformed image fails with a kavu32::Error and never reads
  // outside the image; what was read before the failure stays readable.
  virtual void Open();
  virtual void Close();

  bool Active() const;
  std::string Title() const;
  int FieldCount() const;
  // Fails with "List index out of bounds" outside 0..FieldCount()-1.
  TsField& Fields(int n) const;
  int KeyFieldCount() const;
  TsField& KeyFields(int n) const;
  int32_t RecordCount() const;
  int32_t RecordNo() const;
  bool EditMode() const;

  // True when a record with that key was found and made current.
  bool FindKey(std::span<const TsKeyValue> values);
  // The one-integer search every data builder makes. A table whose first
  // key field is not an integer field has no such record: false.
  bool FindKey(int32_t key);
};

}  // namespace kavu32

#endif

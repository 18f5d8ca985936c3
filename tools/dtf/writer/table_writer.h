// Writes .dtf table images: the header, one descriptor per field, the
// records in the order given and the offset list in the same order.
#ifndef KAVU32_TOOLS_DTF_TABLE_WRITER_H
#define KAVU32_TOOLS_DTF_TABLE_WRITER_H

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace kavu32::dtf {

struct FieldSpec {
  std::string Name;
  uint8_t Type;  // a type code; codes above 7 make a descriptor without values
  uint8_t KeyFlag = 0;
};

// bool or an integer 0..255 for boolean fields (the stored byte); int32 for
// integer fields; double (or int32) for float and date-time fields; the
// bytes as std::string for string, memo, blob and graphic fields.
using Cell = std::variant<bool, int32_t, double, std::string>;
// One value per field of type code 0 to 7, in field order.
using Record = std::vector<Cell>;

struct TableContent {
  std::string Title;
  std::vector<FieldSpec> Fields;
  std::vector<Record> Records;
};

// Content that has no .dtf form. what() names the place; Detail is the
// problem alone. RecordIndex and FieldIndex say where, or are Nowhere
// (FieldIndex counts the descriptors; a record's values follow them).
class WriteError : public std::runtime_error {
 public:
  static constexpr size_t Nowhere = static_cast<size_t>(-1);
  WriteError(const std::string& detail, size_t recordIndex, size_t fieldIndex);
  std::string Detail;
  size_t RecordIndex;
  size_t FieldIndex;
};

std::vector<uint8_t> WriteTableImage(const TableContent& content);

}  // namespace kavu32::dtf

#endif

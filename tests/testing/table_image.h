// Builds .dtf table images for tests, through the same writer as the dtf
// tool. Records and offsets are written in the order given (no sorting), so
// a test can also build a table whose keys are out of order.
#ifndef KAVU32_TESTS_TESTING_TABLE_IMAGE_H
#define KAVU32_TESTS_TESTING_TABLE_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

#include "table_writer.h"

namespace kavu32::testing {

using FieldSpec = dtf::FieldSpec;
// double for float and date-time; std::string for string, memo, blob and
// graphic bytes; bool (or a byte as int32) for boolean fields.
using Cell = dtf::Cell;

class TableImageBuilder {
 public:
  explicit TableImageBuilder(std::string title);
  // A type code above 7 makes a descriptor that takes no value.
  TableImageBuilder& Field(std::string name, uint8_t type, uint8_t keyFlag = 0);
  // One value per field of type code 0 to 7, in field order.
  TableImageBuilder& Record(std::vector<Cell> values);
  // Fails with dtf::WriteError for content that has no .dtf form.
  std::vector<uint8_t> Build() const;
  void WriteTo(const std::string& path) const;

 private:
  dtf::TableContent content_;
};

// Patching built images, for damaged and malformed tables.
int32_t GetInt32(const std::vector<uint8_t>& image, size_t at);
void PutInt32(std::vector<uint8_t>& image, size_t at, int32_t value);
// The position of entry i of the record-offset list.
size_t RecordOffsetEntry(const std::vector<uint8_t>& image, size_t i);
// Points record i outside the image, so that reading it fails.
void DamageRecord(std::vector<uint8_t>& image, size_t i);

}  // namespace kavu32::testing

#endif

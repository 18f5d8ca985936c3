// Helpers of the engine tests: a table opened over an image it keeps, and
// tables of integer keys.
#ifndef KAVU32_TESTS_ENGINE_ENGINE_FIXTURE_H
#define KAVU32_TESTS_ENGINE_ENGINE_FIXTURE_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/table.h"
#include "testing/raised_message.h"
#include "testing/table_image.h"

namespace kavu32::testing {

using namespace std::string_literals;

// A table over its own copy of an image; Open is left to the test.
struct TableOverImage {
  explicit TableOverImage(std::vector<uint8_t> image)
      : Image(std::move(image)), Table(Image.data(), static_cast<int32_t>(Image.size())) {}
  std::vector<uint8_t> Image;
  TsTable Table;
};

struct OpenTable : TableOverImage {
  explicit OpenTable(std::vector<uint8_t> image) : TableOverImage(std::move(image)) { Table.Open(); }
  explicit OpenTable(const TableImageBuilder& builder) : OpenTable(builder.Build()) {}
};

// Keys in records 0, 1, 2 ... and a text "r0", "r1" ... beside each.
inline TableImageBuilder IntegerKeyTable(const std::vector<int32_t>& keys) {
  TableImageBuilder table("Keys");
  table.Field("KEY", kIntegerType, 1).Field("TEXT", kStringType);
  for (size_t i = 0; i < keys.size(); ++i) table.Record({keys[i], "r" + std::to_string(i)});
  return table;
}

}  // namespace kavu32::testing

#endif

#include "layout_check.h"

#include <algorithm>
#include <cstring>

#include "engine/table_format.h"
#include "table_writer.h"

namespace kavu32::dtf {

namespace {

int32_t Int32At(std::string_view image, size_t at) {
  int32_t value;
  std::memcpy(&value, image.data() + at, sizeof value);
  return value;
}

// The descriptors as stored, skipped type codes and key flags included.
std::vector<FieldSpec> Descriptors(std::string_view image, int32_t dataStart) {
  std::vector<FieldSpec> fields;
  for (size_t at = HeaderSize; at + DescriptorSize <= static_cast<size_t>(dataStart); at += DescriptorSize) {
    const auto length = static_cast<uint8_t>(image[at]);
    fields.push_back({std::string(image.substr(at + 1, length)),
                      static_cast<uint8_t>(image[at + NameBlockSize]),
                      static_cast<uint8_t>(image[at + NameBlockSize + 1])});
  }
  return fields;
}

Cell CellOf(const TsField& field) {
  const std::span<const uint8_t> stored = field.StoredBytes();
  switch (field.FieldType()) {
    case BooleanType:
      return static_cast<int32_t>(stored[0]);
    case IntegerType:
      return field.AsInteger();
    case FloatType:
    case DateTimeType:
      return field.AsFloat();
    case StringType:
      return std::string(stored.begin() + 1, stored.end());
    default:
      return std::string(stored.begin(), stored.end());
  }
}

TableContent ContentOf(std::string_view image, TsTable& table) {
  TableContent content{table.Title(), Descriptors(image, table.DataStart()), {}};
  for (int32_t r = 0; r < table.RecordCount(); ++r) {
    table.GoToRecord(r);
    Record& record = content.Records.emplace_back();
    for (int i = 0; i < table.FieldCount(); ++i) record.push_back(CellOf(table.Fields(i)));
  }
  return content;
}

// What differs at offset, the first byte where image and the layout dtf
// build writes (expected) part.
std::string PlaceOf(std::string_view image, std::string_view expected, size_t offset) {
  const auto dataStart = static_cast<size_t>(Int32At(expected, DataStartOffset));
  const auto indexStart = static_cast<size_t>(Int32At(expected, IndexStartOffset));
  if (offset < TitleBlockSize) return "the title block holds bytes after the title";
  if (offset < HeaderSize) {
    return "the record area holds " + std::to_string(Int32At(image, IndexStartOffset) - dataStart) +
           " bytes, but the records the record list points to take " +
           std::to_string(indexStart - dataStart) +
           ": bytes that belong to no record, or a record listed twice";
  }
  if (offset < dataStart) {
    return "field descriptor " + std::to_string((offset - HeaderSize) / DescriptorSize) +
           " holds bytes after its name";
  }
  if (offset < indexStart) {
    return "the records are not stored back to back in record-list order from the data start "
           "(first difference at byte " +
           std::to_string(offset) + ")";
  }
  return "record-list entry " + std::to_string((offset - indexStart) / RecordOffsetSize) +
         " does not point where the records lie";
}

}  // namespace

std::vector<std::string> LayoutProblems(std::string_view image, TsTable& table) {
  const auto size = static_cast<int64_t>(image.size());
  const int64_t indexStart = table.IndexStart();
  if (indexStart > size) {
    return {"the index start " + std::to_string(indexStart) + " lies past the end of the file (" +
            std::to_string(size) + " bytes): the file looks truncated"};
  }
  if (indexStart < table.DataStart()) {
    return {"the index start " + std::to_string(indexStart) + " lies before the data start " +
            std::to_string(table.DataStart())};
  }
  if (const int64_t stray = (size - indexStart) % RecordOffsetSize; stray != 0) {
    return {"the record list ends with a partial entry of " + std::to_string(stray) + " of its " +
            std::to_string(RecordOffsetSize) + " bytes: the file looks truncated"};
  }
  const std::vector<uint8_t> written = WriteTableImage(ContentOf(image, table));
  const std::string_view expected(reinterpret_cast<const char*>(written.data()), written.size());
  const auto at = std::mismatch(image.begin(), image.end(), expected.begin(), expected.end()).first;
  if (at == image.end() && image.size() == expected.size()) return {};
  const auto offset = static_cast<size_t>(at - image.begin());
  if (offset >= expected.size() || offset >= image.size()) {
    return {"the file has " + std::to_string(size) + " bytes where its content takes " +
            std::to_string(expected.size())};
  }
  return {PlaceOf(image, expected, offset)};
}

}  // namespace kavu32::dtf

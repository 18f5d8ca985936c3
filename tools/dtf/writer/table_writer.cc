#include "table_writer.h"

#include <cstring>
#include <limits>

#include "engine/field.h"
#include "engine/table_format.h"

namespace kavu32::dtf {

namespace {

constexpr size_t Nowhere = WriteError::Nowhere;

std::string Place(size_t recordIndex, size_t fieldIndex) {
  std::string place;
  if (recordIndex != WriteError::Nowhere) place = "record " + std::to_string(recordIndex);
  if (fieldIndex != WriteError::Nowhere) {
    place += (place.empty() ? "" : ", ") + std::string("field ") + std::to_string(fieldIndex);
  }
  return place.empty() ? std::string() : place + ": ";
}

// Appends little-endian values to a growing image.
class ImageBuilder {
 public:
  std::vector<uint8_t>& Bytes() { return bytes_; }
  size_t Size() const { return bytes_.size(); }

  void Append(const void* data, size_t size) {
    const auto* first = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
  }
  void AppendByte(uint8_t byte) { bytes_.push_back(byte); }
  template <typename T>
  void AppendValue(T value) {
    Append(&value, sizeof value);
  }
  // A length byte, the text, and zeros up to blockSize (0: no padding).
  void AppendShortText(const std::string& text, size_t blockSize) {
    AppendByte(static_cast<uint8_t>(text.size()));
    Append(text.data(), text.size());
    if (blockSize > text.size() + 1) bytes_.resize(bytes_.size() + blockSize - text.size() - 1, 0);
  }
  void PutInt32(size_t at, int32_t value) { std::memcpy(bytes_.data() + at, &value, sizeof value); }

  // The current size as an image offset.
  int32_t Offset() const {
    if (bytes_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      throw WriteError("the table does not fit in 2 GB", Nowhere, Nowhere);
    }
    return static_cast<int32_t>(bytes_.size());
  }

 private:
  std::vector<uint8_t> bytes_;
};

// The stored form of one value, or the reason it has none.
class ValueWriter {
 public:
  explicit ValueWriter(ImageBuilder& image) : image_(image) {}

  // Empty on success.
  std::string Write(uint8_t type, const Cell& cell) {
    switch (type) {
      case BooleanType:
        return WriteBoolean(cell);
      case IntegerType:
        if (!std::holds_alternative<int32_t>(cell)) return "an integer field takes an integer";
        image_.AppendValue(std::get<int32_t>(cell));
        return {};
      case FloatType:
      case DateTimeType:
        return WriteDouble(cell);
      case StringType:
        return WriteString(cell);
      default:
        return WriteBlob(cell);
    }
  }

 private:
  std::string WriteBoolean(const Cell& cell) {
    if (const bool* value = std::get_if<bool>(&cell)) {
      image_.AppendByte(*value ? 1 : 0);
    } else if (const int32_t* byte = std::get_if<int32_t>(&cell); byte && *byte >= 0 && *byte <= 255) {
      image_.AppendByte(static_cast<uint8_t>(*byte));
    } else {
      return "a boolean field takes true, false or a byte 0 to 255";
    }
    return {};
  }

  std::string WriteDouble(const Cell& cell) {
    if (const double* value = std::get_if<double>(&cell)) {
      image_.AppendValue(*value);
    } else if (const int32_t* whole = std::get_if<int32_t>(&cell)) {
      image_.AppendValue(static_cast<double>(*whole));
    } else {
      return "a float or date-time field takes a number";
    }
    return {};
  }

  std::string WriteString(const Cell& cell) {
    const std::string* text = std::get_if<std::string>(&cell);
    if (text == nullptr) return "a string field takes a text";
    if (text->size() > MaxStringLength) return "a string holds at most 255 bytes";
    image_.AppendShortText(*text, 0);
    return {};
  }

  std::string WriteBlob(const Cell& cell) {
    const std::string* bytes = std::get_if<std::string>(&cell);
    if (bytes == nullptr) return "a blob, memo or graphic field takes bytes";
    if (bytes->size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return "a value over 2 GB";
    image_.AppendValue(static_cast<int32_t>(bytes->size()));
    image_.Append(bytes->data(), bytes->size());
    return {};
  }

  ImageBuilder& image_;
};

void WriteHeader(ImageBuilder& image, const TableContent& content) {
  if (content.Title.size() > MaxTitleLength) {
    throw WriteError("a title holds at most 15 bytes", Nowhere, Nowhere);
  }
  image.AppendShortText(content.Title, TitleBlockSize);
  image.AppendValue<int32_t>(0);  // DataStart and IndexStart, set later
  image.AppendValue<int32_t>(0);
  for (size_t i = 0; i < content.Fields.size(); ++i) {
    const FieldSpec& field = content.Fields[i];
    if (field.Name.size() > MaxFieldNameLength) {
      throw WriteError("a field name holds at most 10 bytes", Nowhere, i);
    }
    image.AppendShortText(field.Name, NameBlockSize);
    image.AppendByte(field.Type);
    image.AppendByte(field.KeyFlag);
  }
  image.PutInt32(DataStartOffset, image.Offset());
}

void WriteRecord(ImageBuilder& image, const TableContent& content, size_t recordIndex) {
  const Record& record = content.Records[recordIndex];
  ValueWriter values(image);
  size_t next = 0;
  for (size_t i = 0; i < content.Fields.size(); ++i) {
    const uint8_t type = content.Fields[i].Type;
    if (!IsFieldType(type)) continue;
    if (next == record.size()) throw WriteError("too few values", recordIndex, Nowhere);
    if (std::string problem = values.Write(type, record[next++]); !problem.empty()) {
      throw WriteError(problem, recordIndex, i);
    }
  }
  if (next != record.size()) throw WriteError("too many values", recordIndex, Nowhere);
}

}  // namespace

WriteError::WriteError(const std::string& detail, size_t recordIndex, size_t fieldIndex)
    : std::runtime_error(Place(recordIndex, fieldIndex) + detail),
      Detail(detail),
      RecordIndex(recordIndex),
      FieldIndex(fieldIndex) {}

std::vector<uint8_t> WriteTableImage(const TableContent& content) {
  ImageBuilder image;
  WriteHeader(image, content);
  std::vector<int32_t> offsets;
  offsets.reserve(content.Records.size());
  for (size_t i = 0; i < content.Records.size(); ++i) {
    offsets.push_back(image.Offset());
    WriteRecord(image, content, i);
  }
  image.PutInt32(IndexStartOffset, image.Offset());
  for (int32_t offset : offsets) image.AppendValue(offset);
  image.Offset();  // the image size must fit a signed 32-bit size as well
  return std::move(image.Bytes());
}

}  // namespace kavu32::dtf

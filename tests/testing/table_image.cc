#include "testing/table_image.h"

#include "engine/table_format.h"

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace kavu32::testing {

TableImageBuilder::TableImageBuilder(std::string title) { content_.Title = std::move(title); }

TableImageBuilder& TableImageBuilder::Field(std::string name, uint8_t type, uint8_t keyFlag) {
  content_.Fields.push_back({std::move(name), type, keyFlag});
  return *this;
}

TableImageBuilder& TableImageBuilder::Record(std::vector<Cell> values) {
  content_.Records.push_back(std::move(values));
  return *this;
}

std::vector<uint8_t> TableImageBuilder::Build() const { return dtf::WriteTableImage(content_); }

void TableImageBuilder::WriteTo(const std::string& path) const {
  const std::vector<uint8_t> image = Build();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

namespace {

void RequireInside(const std::vector<uint8_t>& image, size_t at) {
  if (at > image.size() || image.size() - at < sizeof(int32_t))
    throw std::out_of_range("patch outside the image");
}

}  // namespace

int32_t GetInt32(const std::vector<uint8_t>& image, size_t at) {
  RequireInside(image, at);
  int32_t value;
  std::memcpy(&value, image.data() + at, sizeof value);
  return value;
}

void PutInt32(std::vector<uint8_t>& image, size_t at, int32_t value) {
  RequireInside(image, at);
  std::memcpy(image.data() + at, &value, sizeof value);
}

size_t RecordOffsetEntry(const std::vector<uint8_t>& image, size_t i) {
  return static_cast<size_t>(GetInt32(image, IndexStartOffset)) + 4 * i;
}

void DamageRecord(std::vector<uint8_t>& image, size_t i) {
  PutInt32(image, RecordOffsetEntry(image, i), static_cast<int32_t>(image.size()));
}

}  // namespace kavu32::testing

#include "support/table_image.h"

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

}  // namespace kavu32::testing

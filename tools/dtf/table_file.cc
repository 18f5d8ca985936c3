#include "table_file.h"

#include <limits>

#include "file_io.h"

namespace kavu32::dtf {

TableFile::TableFile(const std::filesystem::path& path) : bytes_(ReadWholeFile(path)) {
  if (bytes_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw ToolError(path.string() + " exceeds 2 GB");
  }
  table_ = std::make_unique<TsTable>(reinterpret_cast<const uint8_t*>(bytes_.data()),
                                     static_cast<int32_t>(bytes_.size()));
}

std::string TableFile::Open() {
  try {
    table_->Open();
    return {};
  } catch (const std::exception& error) {
    return error.what();
  }
}

}  // namespace kavu32::dtf

// A .dtf file read into memory and opened with the engine.
#ifndef KAVU32_TOOLS_DTF_TABLE_FILE_H
#define KAVU32_TOOLS_DTF_TABLE_FILE_H

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "engine/table.h"

namespace kavu32::dtf {

class TableFile {
 public:
  // Fails with ToolError when the file cannot be read or exceeds 2 GB.
  explicit TableFile(const std::filesystem::path& path);

  // The engine's failure to open, or empty when the table is open.
  std::string Open();
  TsTable& Table() { return *table_; }
  std::string_view Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::unique_ptr<TsTable> table_;
};

}  // namespace kavu32::dtf

#endif

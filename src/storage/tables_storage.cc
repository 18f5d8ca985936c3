#include "storage/tables_storage.h"

#include <memory>

#include "platform/platform.h"

namespace kavu32 {

namespace {

// The names of a table file found in folder. The base name is the
// upper-cased file name cut before its first ".DTF".
std::unique_ptr<TTableName> NameTable(const std::string& folder, const std::string& fileName) {
  const std::string upper = platform::UpperCase(fileName);
  const size_t extension = upper.find(".DTF");
  const std::string base = extension == std::string::npos ? "" : upper.substr(0, extension);
  return std::make_unique<TTableName>(
      TTableName{base + "(TABLE)", base + " TABLE", folder + platform::FileNameInPath(fileName)});
}

}  // namespace

TTablesStorage::~TTablesStorage() { ClearTables(); }

void TTablesStorage::ScanFolders(const std::string& first, const std::string& second) {
  ClearTables();
  const std::vector<std::string> firstFiles = platform::FindTableFiles(first);
  if (firstFiles.empty()) return;
  for (const std::string& fileName : firstFiles) AddTable(first, fileName);
  // The second folder only adds files whose names the first lacks.
  for (const std::string& fileName : platform::FindTableFiles(second)) {
    if (!HoldsFileName(fileName)) AddTable(second, fileName);
  }
}

void TTablesStorage::ClearTables() { tables_.Clear(); }

TTableName TTablesStorage::GetTableName(int i) const { return tables_.Objects(i); }

int TTablesStorage::TableCount() const { return tables_.Count(); }

void TTablesStorage::AddTable(const std::string& folder, const std::string& fileName) {
  tables_.AddObject(fileName, NameTable(folder, fileName));
}

bool TTablesStorage::HoldsFileName(const std::string& fileName) const {
  for (int i = 0; i < tables_.Count(); ++i) {
    if (platform::CompareTextIgnoreCase(tables_.Strings(i), fileName) == 0) return true;
  }
  return false;
}

}  // namespace kavu32

// TTablesStorage: the table files found in the two data folders, each with
// its mapping name, display name and path. Its order is the table index
// used throughout the library.
#ifndef KAVU32_STORAGE_TABLES_STORAGE_H
#define KAVU32_STORAGE_TABLES_STORAGE_H

#include <string>

#include "support/object_list.h"

namespace kavu32 {

struct TTableName {
  std::string MappingName;  // BIRTHDAY(TABLE)
  std::string DisplayName;  // BIRTHDAY TABLE
  std::string FilePath;     // folder + the file name (upper-cased on Windows)
};

class TTablesStorage {
 public:
  ~TTablesStorage();
  // Empties the catalogue, then catalogues the first folder's tables and
  // the second folder's tables whose names the first lacks. An empty first
  // folder stops the scan.
  void ScanFolders(const std::string& first, const std::string& second);
  void ClearTables();
  // A copy; fails with "List index out of bounds" outside 0..TableCount()-1.
  TTableName GetTableName(int i) const;
  int TableCount() const;

 private:
  void AddTable(const std::string& folder, const std::string& fileName);
  bool HoldsFileName(const std::string& fileName) const;

  // The file names as the directory search returned them, each with its
  // names.
  TStringList<TTableName> tables_;
};

}  // namespace kavu32

#endif

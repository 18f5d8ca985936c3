// TSharedStorage: every catalogued table opened over a shared read-only
// mapping of its file, one entry per catalogue entry.
#ifndef KAVU32_STORAGE_SHARED_STORAGE_H
#define KAVU32_STORAGE_SHARED_STORAGE_H

#include "platform/platform.h"
#include "support/object_list.h"

namespace kavu32 {

class TsTable;
class TTablesStorage;
struct TTableName;
// One entry as the store holds it (shared_storage.cc): it owns the table
// and releases it, the view and the handles when destroyed.
struct OpenedTable;

// What the store hands out of an entry: a copy that refers to the store's
// table and is valid until the next GetCategories or ShutDown.
struct SharedTableEntry {
  platform::Handle FileHandle{};
  platform::Handle MappingHandle{};
  TsTable* Table = nullptr;  // null when the file could not be opened
  platform::View View;
};

class TSharedStorage {
 public:
  TSharedStorage();
  TSharedStorage(const TSharedStorage&) = delete;
  TSharedStorage& operator=(const TSharedStorage&) = delete;
  ~TSharedStorage();
  // ReleaseTables, then one entry per catalogued table, opened or not;
  // failures are shown with platform::ShowMessage.
  void LoadTables(const TTablesStorage& tables);
  void ReleaseTables();
  // A copy; fails with "List index out of bounds" outside the store.
  SharedTableEntry GetSharedTable(int i) const;
  int SharedTableCount() const;

 private:
  TList<OpenedTable> entries_;
};

}  // namespace kavu32

#endif

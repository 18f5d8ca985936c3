// TCategoriesStorage: the category items the host can ask for, built from
// the opened tables, and their lookups by data type.
#ifndef KAVU32_STORAGE_CATEGORIES_STORAGE_H
#define KAVU32_STORAGE_CATEGORIES_STORAGE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/object_list.h"

namespace kavu32 {

class TSharedStorage;
class TsTable;
struct SharedTableEntry;

struct CategoryItem {
  int32_t DataType{};
  char ItemName[256] = {};
  int32_t TypeCode{};
  int32_t FieldNo = -1;
  int32_t TableIndex = -1;
  int32_t KeyMode{};
};

enum class TableLookup {
  NotCatalogued,  // no item has the data type; nothing written
  NoTable,        // a permanent item; nothing written
  Found,          // the entry was written
};

class TCategoriesStorage {
 public:
  ~TCategoriesStorage();
  // The number of items, or -8 or -10; the caller keeps it as the error
  // code.
  int32_t BuildCategories(TSharedStorage& store);
  void ClearCategories();
  // A copy; fails with "List index out of bounds".
  CategoryItem GetCategoryItem(int i) const;
  int32_t CategoryItemCount() const;
  TableLookup FindTableEntry(int32_t dataType, SharedTableEntry& entry) const;
  bool FindCategoryItem(int32_t dataType, CategoryItem& item) const;
  // The store entry of the table titled "Movies" in the last build;
  // false when the last build found none.
  bool FindMoviesEntry(SharedTableEntry& entry) const;

 private:
  void AddCategoryItem(int32_t dataType, const std::string& name, int32_t typeCode, int32_t fieldNo,
                       int32_t tableIndex, int32_t keyMode);
  void AddStandardCategories(const std::string& title, int32_t tableIndex);
  void AddFieldCategories(const TsTable& table, int32_t tableIndex);
  // Appends the items of every table in the store; false unless each
  // standard table that adds items appeared exactly once ("Movies" adds
  // none: it is optional, and the last one serves the film list).
  bool AddTableCategories(const TSharedStorage& store);

  // Where a data type's items stand in items_: the first and the last,
  // -1 when it has none; indexed by data type and kept with the items, so
  // a lookup reads one entry instead of scanning every item.
  struct TypePositions {
    int First = -1;
    int Last = -1;
  };
  const TypePositions* PositionsOf(int32_t dataType) const;

  TList<CategoryItem> items_;
  std::vector<TypePositions> positions_;
  // The last data type given to an additional item.
  int32_t next_data_type_ = 19;
  // Bound at the first build; the library has one store.
  const TSharedStorage* shared_store_ = nullptr;
  // The last table titled "Movies" the last build found, if any.
  std::optional<int32_t> movies_table_index_;
};

}  // namespace kavu32

#endif

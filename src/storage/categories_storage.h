// TCategoriesStorage: the category items the host can ask for, built from
// the opened tables, and their lookups by data type.
#ifndef KAVU32_STORAGE_CATEGORIES_STORAGE_H
#define KAVU32_STORAGE_CATEGORIES_STORAGE_H

#include <cstdint>

namespace kavu32 {

class TSharedStorage;
struct SharedTableEntry;

struct CategoryItem {
  int32_t DataType = 0;
  char ItemName[256] = {};
  int32_t TypeCode = 0;
  int32_t FieldNo = -1;
  int32_t TableIndex = -1;
  int32_t KeyMode = 0;
};

enum class TableLookup {
  NotCatalogued,  // no item has the data type; nothing written
  NoTable,        // a permanent item; nothing written
  Found,          // the entry was written
};

class TCategoriesStorage {
 public:
  virtual ~TCategoriesStorage();
  // The number of items, or -8 or -10 (also stored in ErrorCode).
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
};

}  // namespace kavu32

#endif

#include "storage/categories_storage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "engine/table.h"
#include "platform/platform.h"
#include "storage/shared_storage.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

constexpr std::array<std::string_view, 8> StandardCategoryNames = {"Birthday", "Chinese", "Event", "Literat",
                                                                   "Movies",   "Sport",   "Stone", "Zodiac"};

constexpr std::string_view MoviesTitle = "Movies";
constexpr std::string_view PermanentCategories = "###_PERMANENT_CATEGORIES###";

struct FixedItem {
  std::string_view Title;
  int32_t DataType;
  const char* Name;
  int32_t TypeCode;
};

// The items each standard title yields, in order; "Movies" yields none.
constexpr FixedItem FixedItems[] = {
    {"Event", 2, "News Article", MemoType},
    {"Birthday", 3, "Famous Article", StringType},
    {"Zodiac", 4, "Zodiac Article", MemoType},
    {"Zodiac", 12, "Zodiac Title", StringType},
    {"Zodiac", 17, "Zodiac Graphic", GraphicType},
    {"Chinese", 5, "Chinese Year Article", StringType},
    {"Chinese", 13, "Chinese Year Title", StringType},
    {"Chinese", 18, "Chinese Year Graphic", GraphicType},
    {"Literat", 6, "Entertainment Article", StringType},
    {"Sport", 7, "Sport Article", StringType},
    {"Stone", 14, "Birthstone Article", StringType},
    {PermanentCategories, 10, "News Title", StringType},
    {PermanentCategories, 11, "Famous Title", StringType},
    {PermanentCategories, 9, "Introduction Title", StringType},
    {PermanentCategories, 8, "Year Title", StringType},
    {PermanentCategories, 1, "Time Article", StringType},
    {PermanentCategories, 15, "Entertainment Title", StringType},
    {PermanentCategories, 16, "Sport Title", StringType},
    {PermanentCategories, 19, "Border Graphic", GraphicType},
};

// The position of title among the standard names (exact, case-sensitive),
// or -1.
int StandardCategoryIndex(const std::string& title) {
  const auto* found = std::find(StandardCategoryNames.begin(), StandardCategoryNames.end(), title);
  return found == StandardCategoryNames.end() ? -1 : static_cast<int>(found - StandardCategoryNames.begin());
}

// Which parts of the date form a table's key, from its first field's name:
// 1 year, 2 month, 4 day.
int32_t KeyModeOf(const std::string& firstFieldName) {
  const std::string name = platform::UpperCase(firstFieldName);
  int32_t mode = 0;
  if (name.find("YEAR") != std::string::npos) mode |= 1;
  if (name.find("MONTH") != std::string::npos) mode |= 2;
  if (name.find("DAY") != std::string::npos) mode |= 4;
  return mode;
}

}  // namespace

TCategoriesStorage::~TCategoriesStorage() { ClearCategories(); }

int32_t TCategoriesStorage::BuildCategories(TSharedStorage& store) {
  ClearCategories();
  shared_store_ = &store;
  try {
    AddStandardCategories(std::string(PermanentCategories), -1);
    if (!AddTableCategories(store)) return StandardCategoriesMissing;
    return CategoryItemCount();
  } catch (...) {
    return UnknownError;
  }
}

void TCategoriesStorage::ClearCategories() {
  next_data_type_ = 19;
  movies_table_index_.reset();
  items_.Clear();
  positions_.clear();
}

CategoryItem TCategoriesStorage::GetCategoryItem(int i) const { return items_[i]; }

int32_t TCategoriesStorage::CategoryItemCount() const { return items_.Count(); }

const TCategoriesStorage::TypePositions* TCategoriesStorage::PositionsOf(int32_t dataType) const {
  // A negative type turns into a size no table of positions reaches.
  if (static_cast<size_t>(dataType) >= positions_.size()) return nullptr;
  const TypePositions& positions = positions_[static_cast<size_t>(dataType)];
  return positions.First < 0 ? nullptr : &positions;
}

TableLookup TCategoriesStorage::FindTableEntry(int32_t dataType, SharedTableEntry& entry) const {
  const TypePositions* positions = PositionsOf(dataType);
  if (positions == nullptr) return TableLookup::NotCatalogued;
  // The last matching item names the table.
  const int32_t tableIndex = items_[positions->Last].TableIndex;
  if (tableIndex == -1) return TableLookup::NoTable;
  entry = shared_store_->GetSharedTable(tableIndex);
  return TableLookup::Found;
}

bool TCategoriesStorage::FindCategoryItem(int32_t dataType, CategoryItem& item) const {
  const TypePositions* positions = PositionsOf(dataType);
  if (positions == nullptr) return false;
  item = items_[positions->First];
  return true;
}

bool TCategoriesStorage::FindMoviesEntry(SharedTableEntry& entry) const {
  if (!movies_table_index_) return false;
  entry = shared_store_->GetSharedTable(*movies_table_index_);
  return true;
}

void TCategoriesStorage::AddCategoryItem(int32_t dataType, const std::string& name, int32_t typeCode,
                                         int32_t fieldNo, int32_t tableIndex, int32_t keyMode) {
  auto item = std::make_unique<CategoryItem>();
  item->DataType = dataType;
  std::memcpy(item->ItemName, name.data(), std::min(name.size(), sizeof item->ItemName - 1));
  item->TypeCode = typeCode;
  item->FieldNo = fieldNo;
  item->TableIndex = tableIndex;
  item->KeyMode = keyMode;
  // Grown first: once the item is in the list, indexing it cannot fail.
  const auto type = static_cast<size_t>(dataType);
  if (type >= positions_.size()) positions_.resize(type + 1);
  items_.Add(std::move(item));
  TypePositions& positions = positions_[type];
  if (positions.First < 0) positions.First = items_.Count() - 1;
  positions.Last = items_.Count() - 1;
}

void TCategoriesStorage::AddStandardCategories(const std::string& title, int32_t tableIndex) {
  for (const FixedItem& fixed : FixedItems) {
    if (fixed.Title == title) AddCategoryItem(fixed.DataType, fixed.Name, fixed.TypeCode, -1, tableIndex, 0);
  }
}

void TCategoriesStorage::AddFieldCategories(const TsTable& table, int32_t tableIndex) {
  // A table without fields fails here with "List index out of bounds".
  const int32_t keyMode = KeyModeOf(table.Fields(0).FieldName());
  for (int i = 0; i < table.FieldCount(); ++i) {
    const TsField& field = table.Fields(i);
    AddCategoryItem(++next_data_type_, field.FieldName(), field.FieldType(), i, tableIndex, keyMode);
  }
}

bool TCategoriesStorage::AddTableCategories(const TSharedStorage& store) {
  std::array<int, StandardCategoryNames.size()> tablesPerTitle{};
  for (int i = 0; i < store.SharedTableCount(); ++i) {
    const SharedTableEntry entry = store.GetSharedTable(i);
    // A file that could not be opened has no table; the other indexes
    // stay those of the store.
    if (entry.Table == nullptr) continue;
    const std::string title = entry.Table->Title();
    const int standard = StandardCategoryIndex(title);
    if (standard < 0) {
      AddFieldCategories(*entry.Table, i);
      continue;
    }
    if (title == MoviesTitle) {
      movies_table_index_ = i;
      continue;
    }
    ++tablesPerTitle[static_cast<size_t>(standard)];
    AddStandardCategories(title, i);
  }
  // Every standard title but the films', which is never counted, has
  // exactly one table.
  return std::ranges::count(tablesPerTitle, 1) == std::ssize(StandardCategoryNames) - 1;
}

}  // namespace kavu32

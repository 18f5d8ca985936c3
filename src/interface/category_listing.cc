#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

constexpr int64_t RecordSize = sizeof(CategoryRecord);
static_assert(offsetof(CategoryRecord, Name) == 4 && offsetof(CategoryRecord, TypeCode) == 260);

// Empties the three catalogues, categories first.
void ClearCatalogue(LibraryState& state) {
  state.Categories->ClearCategories();
  state.SharedTables->ReleaseTables();
  state.Tables->ClearTables();
}

// Rebuilds them in the opposite order; the number of items, or -8 or -10.
int32_t RebuildCatalogue(LibraryState& state) {
  try {
    state.Tables->ScanFolders(state.FirstFolder, state.SecondFolder);
    state.SharedTables->LoadTables(*state.Tables);
  } catch (...) {
    return UnknownError;
  }
  return state.Categories->BuildCategories(*state.SharedTables);
}

// Writes record by record through bytes: the host's array may be unaligned,
// and name bytes after the terminator are left as they are.
void WriteRecord(uint8_t* record, int32_t dataType, const char* name, size_t nameBytes) {
  std::memcpy(record + offsetof(CategoryRecord, DataType), &dataType, sizeof dataType);
  std::memcpy(record + offsetof(CategoryRecord, Name), name, nameBytes);
}

void WriteList(const TCategoriesStorage& categories, uint8_t* list) {
  const int32_t count = categories.CategoryItemCount();
  for (int32_t i = 0; i < count; ++i) {
    const CategoryItem item = categories.GetCategoryItem(i);
    uint8_t* record = list + i * RecordSize;
    WriteRecord(record, item.DataType, item.ItemName, strnlen(item.ItemName, sizeof item.ItemName - 1) + 1);
    std::memcpy(record + offsetof(CategoryRecord, TypeCode), &item.TypeCode, sizeof item.TypeCode);
  }
  // The closing record: data type 0 and an all-zero name; its type code is
  // not written.
  const char emptyName[sizeof(CategoryRecord::Name)] = {};
  WriteRecord(list + count * RecordSize, 0, emptyName, sizeof emptyName);
}

int32_t Result(LibraryState& state, int32_t result) {
  state.ErrorCode = result;
  return result;
}

}  // namespace

int32_t ListCategories(CategoryRecord* buffer) {
  LibraryState& state = State();
  ForgetComposed(state);
  // Not started: the catalogues do not exist.
  if (state.Categories == nullptr) return Result(state, InitializingError);
  ClearCatalogue(state);
  const int32_t count = Result(state, RebuildCatalogue(state));
  if (count <= 0) return count;
  const int64_t size = (static_cast<int64_t>(count) + 1) * RecordSize;
  if (!std::in_range<int32_t>(size)) return Result(state, CannotRetrieveCategories);
  Result(state, static_cast<int32_t>(size));
  if (buffer == nullptr) {
    state.ReportedCategoriesSize = static_cast<int32_t>(size);
    return static_cast<int32_t>(size);
  }
  // The list grew since the host learnt its size: its buffer may be too
  // small, so it must ask again.
  if (state.ReportedCategoriesSize != 0 && size > state.ReportedCategoriesSize) {
    return Result(state, CannotRetrieveCategories);
  }
  if (!platform::IsWritable(buffer, static_cast<size_t>(size))) return Result(state, InvalidBufferPointer);
  WriteList(*state.Categories, reinterpret_cast<uint8_t*>(buffer));
  return static_cast<int32_t>(size);
}

}  // namespace kavu32

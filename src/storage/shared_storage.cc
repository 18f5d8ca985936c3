#include "storage/shared_storage.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/table.h"
#include "storage/tables_storage.h"
#include "support/error_codes.h"
#include "support/format.h"

namespace kavu32 {

struct OpenedTable {
  OpenedTable() = default;
  OpenedTable(const OpenedTable&) = delete;
  OpenedTable& operator=(const OpenedTable&) = delete;
  ~OpenedTable();

  platform::Handle FileHandle{};
  platform::Handle MappingHandle{};
  std::unique_ptr<TsTable> Table;
  platform::View View;
};

namespace {

constexpr const char* OpenTableError = "Error opening database table %s.";
constexpr const char* CreateMappingError = "Error creating file mapping %s.";

void ShowOpenError(const TTableName& name) {
  platform::ShowMessage(name.FilePath + "## " + Format(OpenTableError, {name.DisplayName}));
}

void ShowMappingError(const TTableName& name) {
  platform::ShowMessage(Format(CreateMappingError, {name.DisplayName}));
}

void CloseHandles(OpenedTable& entry) {
  if (entry.MappingHandle != 0) platform::CloseHandle(entry.MappingHandle);
  if (entry.FileHandle != 0) platform::CloseHandle(entry.FileHandle);
  entry.MappingHandle = 0;
  entry.FileHandle = 0;
}

// Closes and destroys the table, unmaps the view and closes the handles;
// members the entry does not hold are skipped.
void CloseSharedTable(OpenedTable& entry) {
  if (entry.Table != nullptr) {
    entry.Table->Close();
    entry.Table.reset();
  }
  if (entry.View.Address != nullptr) platform::UnmapView(entry.View);
  entry.View = {};
  CloseHandles(entry);
}

// The size of the file at path, opened only for that; none when it cannot
// be opened or sized.
std::optional<int64_t> ReadFileSize(const std::string& path) {
  const platform::Handle file = platform::OpenFileForRead(path);
  if (file == 0) return std::nullopt;
  const std::optional<int64_t> size = platform::GetFileSize(file);
  platform::CloseHandle(file);
  return size;
}

// Opens the existing mapping of the table's name, or creates one from the
// file, and gives the file's size. None (the failure shown, the entry's
// handles closed) when neither works.
std::optional<int64_t> AcquireMapping(OpenedTable& entry, const TTableName& name) {
  entry.MappingHandle = platform::OpenNamedMapping(name.MappingName);
  if (entry.MappingHandle != 0) {
    // Another process made the mapping: the file is opened only to be
    // sized. A file that cannot be sized counts as one that cannot be
    // opened.
    if (const std::optional<int64_t> size = ReadFileSize(name.FilePath)) return size;
    CloseHandles(entry);
    ShowOpenError(name);
    return std::nullopt;
  }
  entry.FileHandle = platform::OpenFileForRead(name.FilePath);
  if (entry.FileHandle == 0) {
    ShowOpenError(name);
    return std::nullopt;
  }
  entry.MappingHandle = platform::CreateNamedMapping(entry.FileHandle, name.MappingName);
  if (entry.MappingHandle == 0) {
    CloseHandles(entry);
    ShowMappingError(name);
    return std::nullopt;
  }
  if (const std::optional<int64_t> size = platform::GetFileSize(entry.FileHandle)) return size;
  CloseHandles(entry);
  ShowOpenError(name);
  return std::nullopt;
}

// Opens a table over the view, reading no further than both the view and
// the file reach. A table over 2 GiB, or one that fails to open, is shown
// as "Bad table file"; a table that failed stays closed in the entry.
void OpenTable(OpenedTable& entry, int64_t tableSize) {
  const int64_t imageSize = std::min(tableSize, entry.View.Size);
  try {
    if (std::in_range<int32_t>(imageSize)) {
      entry.Table = std::make_unique<TsTable>(entry.View.Address, static_cast<int32_t>(imageSize));
      entry.Table->Open();
      return;
    }
  } catch (...) {
  }
  platform::ShowMessage(ErrorMessages[-BadTableFile]);
}

void OpenSharedTable(OpenedTable& entry, const TTableName& name) {
  const std::optional<int64_t> tableSize = AcquireMapping(entry, name);
  if (!tableSize) return;
  entry.View = platform::MapView(entry.MappingHandle);
  if (entry.View.Address == nullptr) {
    CloseHandles(entry);
    ShowMappingError(name);
    return;
  }
  OpenTable(entry, *tableSize);
}

}  // namespace

OpenedTable::~OpenedTable() { CloseSharedTable(*this); }

TSharedStorage::TSharedStorage() = default;

TSharedStorage::~TSharedStorage() { ReleaseTables(); }

void TSharedStorage::LoadTables(const TTablesStorage& tables) {
  ReleaseTables();
  for (int i = 0; i < tables.TableCount(); ++i) {
    const TTableName name = tables.GetTableName(i);
    auto entry = std::make_unique<OpenedTable>();
    OpenSharedTable(*entry, name);
    entries_.Add(std::move(entry));
  }
}

// First to last; each entry releases what it holds as it is destroyed.
void TSharedStorage::ReleaseTables() { entries_.Clear(); }

SharedTableEntry TSharedStorage::GetSharedTable(int i) const {
  const OpenedTable& entry = entries_[i];
  return {entry.FileHandle, entry.MappingHandle, entry.Table.get(), entry.View};
}

int TSharedStorage::SharedTableCount() const { return entries_.Count(); }

}  // namespace kavu32

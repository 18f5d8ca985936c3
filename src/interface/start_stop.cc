#include <memory>
#include <string>
#include <utility>

#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "support/error.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// The folder ending in a separator. An empty folder stays empty: it names
// no folder, and its scan finds nothing.
std::string WithSeparator(std::string path) {
  if (!path.empty() && !platform::IsFolderSeparator(path.back())) path += platform::FolderSeparator;
  return path;
}

// The two folders as given (empty for a null pointer); both become the
// current folder when either cannot be read.
std::pair<std::string, std::string> DataFolders(const char* firstFolder, const char* secondFolder) {
  std::string first;
  std::string second;
  if (!platform::ReadHostText(firstFolder, first) || !platform::ReadHostText(secondFolder, second)) {
    first = second = platform::CurrentDirectory();
  }
  return {WithSeparator(std::move(first)), WithSeparator(std::move(second))};
}

}  // namespace

void StartUpLibrary(const char* firstFolder, const char* secondFolder) {
  LibraryState& state = State();
  if (!state.Stopped) throw Error(AlreadyStarted);
  // Everything is made before the state changes.
  auto [first, second] = DataFolders(firstFolder, secondFolder);
  auto categories = std::make_unique<TCategoriesStorage>();
  auto tables = std::make_unique<TTablesStorage>();
  auto sharedTables = std::make_unique<TSharedStorage>();
  auto resultStream = std::make_unique<TMemoryStream>();

  state.FirstFolder = std::move(first);
  state.SecondFolder = std::move(second);
  state.Categories = std::move(categories);
  state.Tables = std::move(tables);
  state.SharedTables = std::move(sharedTables);
  state.Stopped = false;
  state.DateSet = false;
  state.ErrorCode = Ok;
  state.ReportedCategoriesSize = 0;
  state.ResultStream = std::move(resultStream);
}

void ShutDownLibrary() {
  LibraryState& state = State();
  if (state.Stopped) throw Error(AlreadyShutDown);
  state.Categories.reset();
  state.Tables.reset();
  state.SharedTables.reset();
  ForgetComposed(state);
  state.DateSet = false;
  state.Stopped = true;
  state.ErrorCode = Ok;
  state.ResultStream.reset();
}

}  // namespace kavu32

#include "interface/library_state.h"

#include "platform/platform.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "support/regional_settings.h"

namespace kavu32 {

LibraryState& State() {
  static LibraryState state;
  return state;
}

void ResetStateForTesting() {
  LibraryState& state = State();
  // Released in the order ShutDown releases them.
  state.Categories.reset();
  state.Tables.reset();
  state.SharedTables.reset();
  state.ResultStream.reset();
  state = LibraryState();
}

namespace {
// The regional settings are read once, when the library is loaded.
struct RegionalSettingsLoader {
  RegionalSettingsLoader() { SetRegional(platform::ReadRegionalSettings()); }
};
[[maybe_unused]] const RegionalSettingsLoader SettingsReadAtLoad;
}  // namespace

}  // namespace kavu32

// The process-wide state every export reads: one instance per process.
#ifndef KAVU32_INTERFACE_LIBRARY_STATE_H
#define KAVU32_INTERFACE_LIBRARY_STATE_H

#include <cstdint>
#include <memory>
#include <string>

#include "retrieval/get_data.h"

namespace kavu32 {

class TTablesStorage;
class TSharedStorage;

// What GetData reads and writes (the date and name, the error code, the
// category catalogue and the result holders), and what only the other
// exports use.
struct LibraryState : RequestState {
  bool Stopped = true;
  std::string FirstFolder;
  std::string SecondFolder;

  // From StartUp to ShutDown; null while not started.
  std::unique_ptr<TTablesStorage> Tables;
  std::unique_ptr<TSharedStorage> SharedTables;

  // The size the last GetCategories size query reported (0: none since
  // StartUp); the filling call never writes past it.
  int32_t ReportedCategoriesSize{};
};

LibraryState& State();

// The failures of calls made in the wrong state.
inline constexpr const char* AlreadyStarted = "Already Started, ShutDown first!";
inline constexpr const char* AlreadyShutDown = "Already ShutDown, StartUp first!";

// Back to the state after loading, for tests that run many scenarios in
// one process. Releases whatever StartUp and GetCategories acquired.
void ResetStateForTesting();

}  // namespace kavu32

#endif

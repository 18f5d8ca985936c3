// The process-wide state every export reads: one instance per process.
#ifndef KAVU32_INTERFACE_LIBRARY_STATE_H
#define KAVU32_INTERFACE_LIBRARY_STATE_H

#include <cstdint>
#include <memory>
#include <string>

#include "support/date_time.h"
#include "support/memory_stream.h"

namespace kavu32 {

class TCategoriesStorage;
class TTablesStorage;
class TSharedStorage;

struct LibraryState {
  bool Stopped = true;
  bool DateSet = false;
  int32_t ErrorCode = 0;
  std::string FirstFolder;
  std::string SecondFolder;
  std::string PersonName;
  uint16_t BirthYear = 0;
  uint16_t BirthMonth = 0;
  uint16_t BirthDay = 0;
  TDateTime BirthDate = 0;
  int32_t DateKey = 0;
  std::string LastGraphicName;

  // From StartUp to ShutDown; null while not started.
  std::unique_ptr<TCategoriesStorage> Categories;
  std::unique_ptr<TTablesStorage> Tables;
  std::unique_ptr<TSharedStorage> SharedTables;
  std::unique_ptr<TMemoryStream> ResultStream;

  // GetData's text result holder; empty between requests.
  std::string ResultText;

  // The size the last GetCategories size query reported (0: none since
  // StartUp); the filling call never writes past it.
  int32_t ReportedCategoriesSize = 0;
};

LibraryState& State();

// The failures of calls made in the wrong state.
inline constexpr const char* kAlreadyStarted = "Already Started, ShutDown first!";
inline constexpr const char* kAlreadyShutDown = "Already ShutDown, StartUp first!";

// Back to the state after loading, for tests that run many scenarios in
// one process. Releases whatever StartUp and GetCategories acquired.
void ResetStateForTesting();

}  // namespace kavu32

#endif

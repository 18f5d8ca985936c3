// GetData: the state a request reads and writes, and the request itself.
#ifndef KAVU32_RETRIEVAL_GET_DATA_H
#define KAVU32_RETRIEVAL_GET_DATA_H

#include <cstdint>
#include <memory>
#include <string>

#include "support/date_time.h"
#include "support/memory_stream.h"

namespace kavu32 {

class TCategoriesStorage;

// What GetData reads and writes of the library state. The library state
// (interface/library_state.h) is one of these and more; the export hands it
// down with every request.
struct RequestState {
  bool DateSet = false;
  int32_t ErrorCode = 0;
  std::string PersonName;
  uint16_t BirthYear = 0;
  uint16_t BirthMonth = 0;
  uint16_t BirthDay = 0;
  TDateTime BirthDate = 0;
  int32_t DateKey = 0;
  std::string LastGraphicName;

  // From StartUp to ShutDown; null while not started.
  std::unique_ptr<TCategoriesStorage> Categories;
  std::unique_ptr<TMemoryStream> ResultStream;

  // GetData's text result holder; empty between requests.
  std::string ResultText;
};

// Finds the category of dataType in the last catalogue and runs its
// builder; the result is also stored in state.ErrorCode. Nothing escapes:
// a failing step's preset error code is the result.
int32_t RequestData(RequestState& state, int32_t dataType, void* buffer);

}  // namespace kavu32

#endif

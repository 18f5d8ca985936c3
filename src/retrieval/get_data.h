// GetData: the state a request reads and writes, and the request itself.
#ifndef KAVU32_RETRIEVAL_GET_DATA_H
#define KAVU32_RETRIEVAL_GET_DATA_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "support/date_time.h"
#include "support/memory_stream.h"

namespace kavu32 {

class TCategoriesStorage;

// The answer the last request delivered, kept so that the host's second
// call for it (the copy after the size query) is served without composing
// it again. Only answers that depend on nothing but the catalogue, the date
// and the name are kept, and the age sentence for the day it was composed
// on; graphic names are not, for their file must exist at each call.
struct KeptAnswer {
  bool Held = false;
  int32_t DataType{};
  bool Text = false;  // delivered as ResultText is, else as ResultStream
  std::string Bytes;
  std::optional<platform::LocalDate> Day;
};

// What GetData reads and writes of the library state. The library state
// (interface/library_state.h) is one of these and more; the export hands it
// down with every request.
struct RequestState {
  bool DateSet = false;
  int32_t ErrorCode{};
  std::string PersonName;
  uint16_t BirthYear{};
  uint16_t BirthMonth{};
  uint16_t BirthDay{};
  TDateTime BirthDate{};
  int32_t DateKey{};
  std::string LastGraphicName;

  // From StartUp to ShutDown; null while not started.
  std::unique_ptr<TCategoriesStorage> Categories;
  std::unique_ptr<TMemoryStream> ResultStream;

  // GetData's text result holder; empty between requests.
  std::string ResultText;

  KeptAnswer LastAnswer;
  // BirthDate in the long date form, made at its first use (BirthLongDate).
  std::optional<std::string> BirthLongDateText;
};

// Finds the category of dataType in the last catalogue and runs its
// builder; the result is also stored in state.ErrorCode. Nothing escapes:
// a failing step's preset error code is the result.
int32_t RequestData(RequestState& state, int32_t dataType, void* buffer);

// Drops the kept answer and the birth date's long form: every
// GetCategories, SetDateAndName and ShutDown does, for each may change what
// a builder would compose.
void ForgetComposed(RequestState& state);

}  // namespace kavu32

#endif

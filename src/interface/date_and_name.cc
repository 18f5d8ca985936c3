#include <string>
#include <utility>

#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"
#include "support/date_time.h"
#include "support/error.h"
#include "support/error_codes.h"

namespace kavu32 {

void StoreDateAndName(const Kavu32Date& date, const char* name) {
  LibraryState& state = State();
  if (state.Stopped) throw Error(AlreadyShutDown);
  // Even an invalid date changes the name and the date values below.
  ForgetComposed(state);
  // A name that cannot be read counts as no name, as a null pointer does.
  std::string personName;
  platform::ReadHostText(name, personName);
  state.PersonName = std::move(personName);
  state.BirthYear = date.Year;
  state.BirthMonth = date.Month;
  state.BirthDay = date.Day;
  // An invalid date fails here, leaving the date values and flags as they
  // were.
  const TDateTime birthDate = EncodeDate(date.Year, date.Month, date.Day);
  state.BirthDate = birthDate;
  state.DateKey = static_cast<int32_t>(date.Day) + date.Month * 100 + date.Year * 10000;
  state.DateSet = true;
  state.ErrorCode = Ok;
}

}  // namespace kavu32

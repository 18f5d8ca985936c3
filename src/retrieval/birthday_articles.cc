// Types 1 to 5: the age sentence, the news memo of the year, the
// celebrities of the day, the zodiac memo and the Chinese-year text.
#include <cmath>

#include "engine/table.h"
#include "platform/platform.h"
#include "retrieval/builders.h"
#include "retrieval/signs.h"
#include "support/date_format.h"
#include "support/error_codes.h"
#include "support/format.h"

namespace kavu32 {

int32_t BuildTimeArticle(const Request& request) {
  Preset(request, UnknownError);
  RequestState& state = request.State;
  state.BirthDate = EncodeDate(state.BirthYear, state.BirthMonth, state.BirthDay);
  const platform::LocalDate today = platform::Today();
  const TDateTime todayValue = EncodeDate(today.Year, today.Month, today.Day);
  // A plain difference of calendar years: this year's birthday need not
  // have passed.
  const int32_t years = today.Year - state.BirthYear;
  const auto days = static_cast<int32_t>(std::lround(todayValue - state.BirthDate));
  request.Day = today;
  return DeliverComposedText(
      request, Format("Born %s. As of %s you are %d years old and have lived %d days",
                      {BirthLongDate(state), FormatDateTime("dddddd", todayValue), years, days}));
}

int32_t BuildNewsArticle(const Request& request) {
  return DeliverRecordMemo(request, YearKey(request.State.DateKey), 1);
}

int32_t BuildFamousArticle(const Request& request) {
  const RequestState& state = request.State;
  const TsTable* table = FindRecord(request, DayKey(state.DateKey));
  if (table == nullptr) return NoData;
  Preset(request, StringDataError);
  LineList lines;
  for (int field = 1; field <= 5; ++field) lines.Add(FieldText(*table, field));
  lines.AddFormatted("%s - %d", {state.PersonName, int32_t{state.BirthYear}});
  return DeliverComposedText(request, lines.Take());
}

int32_t BuildZodiacArticle(const Request& request) {
  return DeliverRecordMemo(request, ZodiacSign(request.State.DateKey), 2);
}

int32_t BuildChineseYearArticle(const Request& request) {
  return DeliverRecordText(request, ChineseSign(request.State.DateKey), 2);
}

}  // namespace kavu32

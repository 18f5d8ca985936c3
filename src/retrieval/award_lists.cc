// Types 6 and 7: the literature and film awards and the sport champions of
// the birth year.
#include <array>

#include "engine/table.h"
#include "retrieval/builders.h"
#include "retrieval/signs.h"
#include "support/error_codes.h"
#include "support/format.h"

namespace kavu32 {

namespace {

// Adds pattern with field n of the current record, "No Data Available"
// for an empty one.
void AddLineOrNoData(LineList& lines, std::string_view pattern, const TsTable& table, int n) {
  const std::string text = FieldText(table, n);
  lines.AddFormatted(pattern, {text.empty() ? std::string_view("No Data Available") : text});
}

// The "Movies" record of the year; null when there is no such table or
// record.
const TsTable* FindMoviesRecord(const Request& request) {
  SharedTableEntry movies;
  if (!request.State.Categories->FindMoviesEntry(movies)) return nullptr;
  return SearchRecord(movies, YearKey(request.State.DateKey));
}

constexpr std::array<std::string_view, 9> SportLines = {
    "MLB - %s",
    "NFL - %s",
    "NBA - %s",
    "NHL - %s",
    "NCAA-Basketball - %s",
    "KY Derby - %s",
    "U.S. Open Golf - %s",
    "U.S. Open Tennis (Men) - %s",
    "U.S. Open Tennis (Women) - %s",
};

}  // namespace

int32_t BuildEntertainmentArticle(const Request& request) {
  const TsTable* literature = FindRecord(request, YearKey(request.State.DateKey));
  if (literature == nullptr) return NoData;
  Preset(request, StringDataError);
  LineList lines;
  lines.AddFormatted("Nobel Prize Winner (Literature) -%s - %s",
                     {FieldText(*literature, 1), FieldText(*literature, 2)});
  AddLineOrNoData(lines, "Best Selling Fiction - %s", *literature, 3);
  AddLineOrNoData(lines, "Best Selling Non-Fiction - %s", *literature, 4);
  // Without the year's movie data the whole list is withheld.
  const TsTable* movies = FindMoviesRecord(request);
  if (movies == nullptr) return StringDataError;
  AddLineOrNoData(lines, "Best Picture - %s", *movies, 1);
  AddLineOrNoData(lines, "Best Director - %s", *movies, 2);
  AddLineOrNoData(lines, "Best Actress - %s", *movies, 3);
  AddLineOrNoData(lines, "Best Actor - %s", *movies, 4);
  return DeliverComposedText(request, lines.Take());
}

int32_t BuildSportArticle(const Request& request) {
  const TsTable* table = FindRecord(request, YearKey(request.State.DateKey));
  if (table == nullptr) return NoData;
  Preset(request, StringDataError);
  LineList lines;
  for (size_t i = 0; i < SportLines.size(); ++i) {
    lines.AddFormatted(SportLines[i], {FieldText(*table, static_cast<int>(i) + 1)});
  }
  return DeliverComposedText(request, lines.Take());
}

}  // namespace kavu32

// Types 8 to 16: the headings made from the birth date or the name, and
// the zodiac, Chinese-year and birthstone titles read from their tables.
#include "retrieval/builders.h"
#include "retrieval/signs.h"
#include "support/date_format.h"
#include "support/error_codes.h"
#include "support/format.h"
#include "support/pattern_text.h"

namespace kavu32 {

namespace {

// pattern with the birth date formatted by datePattern.
int32_t DeliverDateHeading(const Request& request, std::string_view pattern, std::string_view datePattern) {
  Preset(request, UnknownError);
  const std::string date = FormatDateTime(datePattern, request.State.BirthDate);
  return DeliverComposedText(request, Format(pattern, {date}));
}

// Only the letters a to z are raised; every other byte stays as it is.
std::string UpperCaseAsciiLetters(std::string text) {
  for (char& c : text) {
    c = AsciiUpper(c);
  }
  return text;
}

}  // namespace

int32_t BuildYearTitle(const Request& request) {
  Preset(request, UnknownError);
  return DeliverComposedText(request, BirthLongDate(request.State));
}

int32_t BuildIntroductionTitle(const Request& request) {
  Preset(request, UnknownError);
  const std::string name = UpperCaseAsciiLetters(request.State.PersonName);
  return DeliverComposedText(request, Format("A LOOK AT THE WORLD WHEN %s WAS BORN", {name}));
}

int32_t BuildNewsTitle(const Request& request) {
  return DeliverDateHeading(request, "In The News In %s", "YYYY");
}

int32_t BuildFamousTitle(const Request& request) {
  return DeliverDateHeading(request, "Celebrities born on %s", "MMMM d");
}

int32_t BuildZodiacTitle(const Request& request) {
  return DeliverRecordText(request, ZodiacSign(request.State.DateKey), 1);
}

int32_t BuildChineseYearTitle(const Request& request) {
  return DeliverRecordText(request, ChineseSign(request.State.DateKey), 1);
}

int32_t BuildBirthstoneArticle(const Request& request) {
  return DeliverRecordText(request, MonthKey(request.State.DateKey), 1);
}

int32_t BuildEntertainmentTitle(const Request& request) {
  return DeliverDateHeading(request, "Entertainment in %s", "YYYY");
}

int32_t BuildSportTitle(const Request& request) {
  return DeliverDateHeading(request, "Sport champions in %s", "YYYY");
}

}  // namespace kavu32

/* Every data type on the fixture tables for 19 June 1992 and "Ann Lee",
 * under the regional settings of the system's locale. */
#include <stdio.h>
#include <string.h>

#include "fixture.h"
#include "host.h"

/* The texts that depend on the regional settings, per locale. */
typedef struct LocaleTexts {
  LCID Locale;
  const char* BirthDate;   /* 19 June 1992, long date format */
  const char* MonthAndDay; /* "MMMM d" */
  const char* Ratio;       /* Extras Ratio 3.25 */
  const char* When;        /* Extras When 1992-06-19 13:30:00 */
} LocaleTexts;

static const LocaleTexts Locales[] = {
    {0x0409, "Friday, June 19, 1992", "June 19", "3.25", "6/19/1992 1:30:00 PM"},
    {0x0407, "Freitag, 19. Juni 1992", "Juni 19", "3,25", "19.6.1992 13:30:00"},
    /* A long date picture with quoted text: "dddd, d' de 'MMMM' de 'yyyy". */
    {0x0C0A, "viernes, 19 de junio de 1992", "junio 19", "3,25", "19/6/1992 13:30:00"},
};

static const LocaleTexts* TextsOfSystemLocale(void) {
  const LCID locale = GetSystemDefaultLCID();
  for (size_t i = 0; i < sizeof Locales / sizeof Locales[0]; ++i) {
    if (Locales[i].Locale == locale) return &Locales[i];
  }
  printf("  no expected texts for locale %04lx\n", (unsigned long)locale);
  return NULL;
}

static long long DayNumber(const SYSTEMTIME* date) {
  SYSTEMTIME midnight = *date;
  midnight.wHour = midnight.wMinute = midnight.wSecond = midnight.wMilliseconds = 0;
  FILETIME time;
  SystemTimeToFileTime(&midnight, &time);
  const unsigned long long ticks = ((unsigned long long)time.dwHighDateTime << 32) | time.dwLowDateTime;
  return (long long)(ticks / 864000000000ull);
}

/* The age sentence against today as the system formats it. */
static void ExpectTimeArticle(const LocaleTexts* texts) {
  SYSTEMTIME today;
  SYSTEMTIME birth = {0};
  char todayText[128];
  char expected[512];
  GetLocalTime(&today);
  birth.wYear = 1992;
  birth.wMonth = 6;
  birth.wDay = 19;
  GetDateFormatA(GetSystemDefaultLCID(), DATE_LONGDATE, &today, NULL, todayText, sizeof todayText);
  snprintf(expected, sizeof expected, "Born %s. As of %s you are %d years old and have lived %lld days",
           texts->BirthDate, todayText, today.wYear - 1992, DayNumber(&today) - DayNumber(&birth));
  ExpectDataText(1, expected);
}

static void TestStandardTypes(const LocaleTexts* texts) {
  static const char news[] = FIXTURE_NEWS_1992;
  static const char zodiac[] = "Gemini memo\nsecond line";
  char heading[128];
  ExpectDataBytes(2, news, sizeof news - 1);
  ExpectDataText(3, "Celebrity One\nCelebrity Two\nCelebrity Three\nCelebrity Four\n\nAnn Lee - 1992");
  ExpectDataBytes(4, zodiac, sizeof zodiac - 1);
  ExpectDataText(5, "Monkey people are clever.");
  ExpectDataText(6,
                 "Nobel Prize Winner (Literature) -Laureate Name - Country Name\n"
                 "Best Selling Fiction - Fiction Title\n"
                 "Best Selling Non-Fiction - No Data Available\n"
                 "Best Picture - Picture Title\n"
                 "Best Director - Director Name\n"
                 "Best Actress - Actress Name\n"
                 "Best Actor - No Data Available");
  ExpectDataText(7,
                 "MLB - Team One\nNFL - Team Two\nNBA - Team Three\nNHL - Team Four\n"
                 "NCAA-Basketball - Team Five\nKY Derby - \nU.S. Open Golf - Golfer Seven\n"
                 "U.S. Open Tennis (Men) - Player Eight\nU.S. Open Tennis (Women) - Player Nine");
  ExpectDataText(9, "A LOOK AT THE WORLD WHEN ANN LEE WAS BORN");
  ExpectDataText(10, "In The News In 1992");
  ExpectDataText(12, "Gemini");
  ExpectDataText(13, "Year of the Monkey");
  ExpectDataText(14, "Pearl");
  ExpectDataText(15, "Entertainment in 1992");
  ExpectDataText(16, "Sport champions in 1992");
  ExpectDataText(17, "Zodiac4.wmf");
  ExpectDataText(18, "Chines8.wmf");
  ExpectDataText(19, "Border.wmf");
  if (texts == NULL) return;
  ExpectTimeArticle(texts);
  ExpectDataText(8, texts->BirthDate);
  snprintf(heading, sizeof heading, "Celebrities born on %s", texts->MonthAndDay);
  ExpectDataText(11, heading);
}

/* extra\Extras.dtf, keyed by year and month (KeyMode 3): one item per
 * field, numbered from 20. */
static void TestAdditionalTypes(const LocaleTexts* texts) {
  static const char note[] = EXTRAS_NOTE_199206;
  ExpectDataText(20, "199206");
  ExpectDataError(21, -2);
  ExpectDataText(22, "-17");
  ExpectDataText(24, "Label text");
  ExpectDataError(26, -14);
  ExpectDataBytes(27, note, sizeof note - 1);
  ExpectDataError(28, -14);
  ExpectDataError(29, -7);
  if (texts == NULL) return;
  ExpectDataText(23, texts->Ratio);
  ExpectDataText(25, texts->When);
}

/* Dates whose keys have no record, and the signs at the year's ends. */
static void TestOtherDates(void) {
  kavu.SetDateAndName(MakeDate(1991, 6, 19), "");
  ExpectDataBytes(2, "Old news", 8);
  ExpectDataError(6, -1);
  ExpectDataError(7, -1);
  ExpectDataError(13, -1);
  ExpectDataError(18, -3);
  for (int32_t type = 20; type <= 28; ++type) ExpectDataError(type, -1);
  ExpectDataText(3, "Celebrity One\nCelebrity Two\nCelebrity Three\nCelebrity Four\n\n - 1991");
  ExpectDataText(9, "A LOOK AT THE WORLD WHEN  WAS BORN");

  kavu.SetDateAndName(MakeDate(1993, 1, 1), "Ann Lee");
  ExpectDataError(6, -2); /* in Literat, not in Movies */
  ExpectDataText(12, "Capricorn");
  ExpectDataError(14, -1);

  kavu.SetDateAndName(MakeDate(1992, 6, 21), "Ann Lee");
  ExpectDataText(12, "Cancer");
  ExpectDataError(17, -3); /* Zodiac5.wmf is a folder */

  kavu.SetDateAndName(MakeDate(1, 1, 1), "Ann Lee");
  ExpectDataError(18, -3);
  ExpectInt("year 1 names the Chinese sign 9", kavu.GetErrorString(NULL),
            sizeof "Error while retrieving metafile Chines9.wmf");
}

void TestDataTypes(void) {
  char extraFolder[MAX_PATH];
  const LocaleTexts* texts = TextsOfSystemLocale();
  ExpectTrue("expected texts for the system locale", texts != NULL);
  JoinPath(extraFolder, fixtureFolder, "extra");
  CreateEmptyFile("Border.wmf");
  CreateEmptyFile("Zodiac4.wmf");
  CreateEmptyFile("Chines8.wmf");
  CreateDirectoryA("Zodiac5.wmf", NULL);

  StartWith(fixtureFolder, extraFolder, MakeDate(1992, 6, 19), "Ann Lee");
  TestStandardTypes(texts);
  TestAdditionalTypes(texts);
  TestOtherDates();
  kavu.ShutDown();

  DeleteFileA("Border.wmf");
  DeleteFileA("Zodiac4.wmf");
  DeleteFileA("Chines8.wmf");
  RemoveDirectoryA("Zodiac5.wmf");
}

/* What the fixture tables (the TSV sources in tests/windows/fixture) hold, as
 * the host expects to receive it. */
#ifndef KAVU32_TESTS_WINDOWS_FIXTURE_H
#define KAVU32_TESTS_WINDOWS_FIXTURE_H

/* Event 1992, field 1 (memo), in the standard folder and in variant\. */
#define FIXTURE_NEWS_1992 "Summer of 1992\n\tLine two"
#define VARIANT_NEWS_1992 "Winter of 1992\n\tLine two"

/* The eight standard tables, as files of the fixture folder. */
#define FIXTURE_TABLES                                                                               \
  "Birthday.dtf", "Chinese.dtf", "Event.dtf", "Literat.dtf", "Movies.dtf", "Sport.dtf", "Stone.dtf", \
      "Zodiac.dtf"

/* The category list of the eight standard tables: 19 items and the
 * closing record. */
#define STANDARD_LIST_SIZE (20 * 264)
/* With extra\Extras.dtf too: 28 items and the closing record. */
#define EXTENDED_LIST_SIZE (29 * 264)

/* Extras.dtf, June 1992, the Note field (memo). */
#define EXTRAS_NOTE_199206 "Note line\n\tindented"

#endif

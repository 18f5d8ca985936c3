// A temporary data folder for tests, under /tmp, removed with its contents
// when the object is destroyed.
//
// WriteStandardTables() writes the eight standard tables, every key an
// integer key field 0:
//
//   Event.dtf    "Event"    YEAR, NEWS (memo)
//                1969 "Moon landing\nWoodstock"            (line feed)
//                1992 "Barcelona Olympics\r\nEuro Disney"  (CR LF)
//                2000 "Y2K\0after zero"                    (a zero byte; 14 bytes)
//   Birthday.dtf "Birthday" DAY (month*100+day), NAME1..NAME5 (strings)
//                101  "Ann New", "Bob New", "Cy New", "", ""   (fields 4, 5 empty)
//                619  "June One" .. "June Five"
//                1231 "Dec One" .. "Dec Five"
//   Zodiac.dtf   "Zodiac"   SIGN 0..11, NAME (string), TEXT (memo)
//                0 "Aquarius" .. 11 "Capricorn"; TEXT "<name> memo\r\nline two"
//   Chinese.dtf  "Chinese"  SIGN 0..11, NAME (string), TEXT (string)
//                0 "Rat" .. 11 "Pig"; TEXT "Year of the <name>"
//   Literat.dtf  "Literat"  YEAR, NOBEL1, NOBEL2, FICTION, NONFICTION
//                1950 "Russell", "Prize 1950", "Fiction 1950", "Facts 1950"
//                1969 "Beckett", "Prize 1969", "", ""        (fields 3, 4 empty)
//                1992 "", "", "Fiction 1992", "Facts 1992"   (fields 1, 2 empty)
//                2000 "Gao", "Prize 2000", "Fiction 2000", "Facts 2000"
//   Movies.dtf   "Movies"   YEAR, PICTURE, DIRECTOR, ACTRESS, ACTOR
//                1969 "Midnight Cowboy", "Schlesinger", "Smith", "Wayne"
//                1992 "Unforgiven", "Eastwood", "", "Pacino"  (field 3 empty)
//                2000 "Gladiator", "Soderbergh", "Roberts", "Crowe"
//                (no 1950: a year Literat has and Movies lacks)
//   Sport.dtf    "Sport"    YEAR, MLB, NFL, NBA, NHL, NCAA, DERBY, GOLF, TENNISMEN,
//                           TENNISWOM
//                1969 "<field name> 1969" in every field, DERBY empty
//                1992 "<field name> 1992" in every field
//   Stone.dtf    "Stone"    MONTH 1..12, STONE (string): "Garnet" .. "Turquoise"
#ifndef KAVU32_TESTS_TESTING_FIXTURE_FOLDER_H
#define KAVU32_TESTS_TESTING_FIXTURE_FOLDER_H

#include <string>

#include "testing/table_image.h"

namespace kavu32::testing {

class FixtureFolder {
 public:
  FixtureFolder();
  FixtureFolder(const FixtureFolder&) = delete;
  FixtureFolder& operator=(const FixtureFolder&) = delete;
  ~FixtureFolder();

  // The folder, ending in '/'.
  const std::string& Path() const { return path_; }

  void WriteStandardTables();
  void WriteTable(const std::string& fileName, const TableImageBuilder& table);
  // Any bytes, for files that are not valid tables.
  void WriteBytes(const std::string& fileName, const std::string& bytes);
  void Remove(const std::string& fileName);

 private:
  std::string path_;
};

}  // namespace kavu32::testing

#endif

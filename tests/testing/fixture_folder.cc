#include "testing/fixture_folder.h"

#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "engine/field.h"

namespace kavu32::testing {

namespace {

using namespace std::string_literals;

// A table keyed by an integer field, every other field a string.
TableImageBuilder StringTable(const std::string& title, const std::string& key,
                              std::initializer_list<const char*> fields,
                              std::initializer_list<std::vector<Cell>> records = {}) {
  TableImageBuilder table(title);
  table.Field(key, IntegerType, true);
  for (const char* field : fields) table.Field(field, StringType, false);
  for (const std::vector<Cell>& record : records) table.Record(record);
  return table;
}

TableImageBuilder EventTable() {
  TableImageBuilder table("Event");
  table.Field("YEAR", IntegerType, true).Field("NEWS", MemoType, false);
  table.Record({1969, "Moon landing\nWoodstock"s});
  table.Record({1992, "Barcelona Olympics\r\nEuro Disney"s});
  table.Record({2000, "Y2K\0after zero"s});
  return table;
}

TableImageBuilder BirthdayTable() {
  return StringTable("Birthday", "DAY", {"NAME1", "NAME2", "NAME3", "NAME4", "NAME5"},
                     {{101, "Ann New"s, "Bob New"s, "Cy New"s, ""s, ""s},
                      {103, ""s, "Jan Three"s, ""s, ""s, ""s},
                      {619, "June One"s, "June Two"s, "June Three"s, "June Four"s, "June Five"s},
                      {1231, "Dec One"s, "Dec Two"s, "Dec Three"s, "Dec Four"s, "Dec Five"s}});
}

constexpr std::array<const char*, 12> ZodiacNames = {"Aquarius", "Pisces",  "Aries",       "Taurus",
                                                     "Gemini",   "Cancer",  "Leo",         "Virgo",
                                                     "Libra",    "Scorpio", "Sagittarius", "Capricorn"};

TableImageBuilder ZodiacTable() {
  TableImageBuilder table("Zodiac");
  table.Field("SIGN", IntegerType, true).Field("NAME", StringType, false).Field("TEXT", MemoType, false);
  for (int32_t sign = 0; sign < 12; ++sign) {
    const std::string name = ZodiacNames[static_cast<size_t>(sign)];
    table.Record({sign, name, name + " memo\r\nline two"});
  }
  return table;
}

constexpr std::array<const char*, 12> ChineseNames = {"Rat",   "Ox",   "Tiger",  "Rabbit",  "Dragon", "Snake",
                                                      "Horse", "Goat", "Monkey", "Rooster", "Dog",    "Pig"};

TableImageBuilder ChineseTable() {
  TableImageBuilder table = StringTable("Chinese", "SIGN", {"NAME", "TEXT"});
  for (int32_t sign = 0; sign < 12; ++sign) {
    const std::string name = ChineseNames[static_cast<size_t>(sign)];
    table.Record({sign, name, "Year of the " + name});
  }
  return table;
}

TableImageBuilder LiteratTable() {
  return StringTable("Literat", "YEAR", {"NOBEL1", "NOBEL2", "FICTION", "NONFICTION"},
                     {{1950, "Russell"s, "Prize 1950"s, "Fiction 1950"s, "Facts 1950"s},
                      {1969, "Beckett"s, "Prize 1969"s, ""s, ""s},
                      {1992, ""s, ""s, "Fiction 1992"s, "Facts 1992"s},
                      {2000, "Gao"s, "Prize 2000"s, "Fiction 2000"s, "Facts 2000"s}});
}

TableImageBuilder MoviesTable() {
  return StringTable("Movies", "YEAR", {"PICTURE", "DIRECTOR", "ACTRESS", "ACTOR"},
                     {{1969, "Midnight Cowboy"s, "Schlesinger"s, "Smith"s, "Wayne"s},
                      {1992, "Unforgiven"s, "Eastwood"s, ""s, "Pacino"s},
                      {2000, "Gladiator"s, "Soderbergh"s, "Roberts"s, "Crowe"s}});
}

constexpr std::array<const char*, 9> SportFields = {"MLB",   "NFL",  "NBA",       "NHL",      "NCAA",
                                                    "DERBY", "GOLF", "TENNISMEN", "TENNISWOM"};

// Every field holds "<field name> <year>"; the derby is left empty when
// asked.
std::vector<Cell> SportRecord(int32_t year, bool emptyDerby) {
  std::vector<Cell> cells{year};
  for (const char* field : SportFields) {
    const bool empty = emptyDerby && std::string(field) == "DERBY";
    cells.push_back(empty ? ""s : field + " "s + std::to_string(year));
  }
  return cells;
}

TableImageBuilder SportTable() {
  TableImageBuilder table("Sport");
  table.Field("YEAR", IntegerType, true);
  for (const char* field : SportFields) table.Field(field, StringType, false);
  table.Record(SportRecord(1969, true));
  table.Record(SportRecord(1992, false));
  return table;
}

constexpr std::array<const char*, 12> Stones = {"Garnet",   "Amethyst", "Aquamarine", "Diamond",
                                                "Emerald",  "Pearl",    "Ruby",       "Peridot",
                                                "Sapphire", "Opal",     "Topaz",      "Turquoise"};

TableImageBuilder StoneTable() {
  TableImageBuilder table = StringTable("Stone", "MONTH", {"STONE"});
  for (int32_t month = 1; month <= 12; ++month)
    table.Record({month, std::string(Stones[static_cast<size_t>(month - 1)])});
  return table;
}

}  // namespace

FixtureFolder::FixtureFolder() {
  std::string pattern = "/tmp/kavu32-fixture-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
  path_ = pattern + "/";
}

FixtureFolder::~FixtureFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void FixtureFolder::WriteStandardTables() {
  WriteTable("Event.dtf", EventTable());
  WriteTable("Birthday.dtf", BirthdayTable());
  WriteTable("Zodiac.dtf", ZodiacTable());
  WriteTable("Chinese.dtf", ChineseTable());
  WriteTable("Literat.dtf", LiteratTable());
  WriteTable("Movies.dtf", MoviesTable());
  WriteTable("Sport.dtf", SportTable());
  WriteTable("Stone.dtf", StoneTable());
}

void FixtureFolder::WriteTable(const std::string& fileName, const TableImageBuilder& table) {
  table.WriteTo(path_ + fileName);
}

void FixtureFolder::WriteBytes(const std::string& fileName, const std::string& bytes) {
  std::ofstream file(path_ + fileName, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path_ + fileName);
}

void FixtureFolder::Remove(const std::string& fileName) { std::filesystem::remove(path_ + fileName); }

}  // namespace kavu32::testing

// Writes the seed corpora: corpus/kavu32_table_image_fuzzer/ and
// corpus/kavu32_library_fuzzer/ under the folder given, one file per seed.
// The images are the standard test tables, a table with a field of every
// type, and tables keyed by every key kind.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/field.h"
#include "fuzz_input.h"
#include "reliability/all_types_table.h"
#include "testing/fixture_folder.h"

namespace {

namespace fs = std::filesystem;
using kavu32::testing::TableImageBuilder;
using Image = std::vector<uint8_t>;

Image ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The standard tables in file-name order, the order the library fuzzer
// numbers its slots in.
std::vector<Image> StandardTables() {
  kavu32::testing::FixtureFolder folder;
  folder.WriteStandardTables();
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(folder.Path())) paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  std::vector<Image> images;
  for (const fs::path& path : paths) images.push_back(ReadFile(path));
  return images;
}

// Tables whose keys are of the other kinds, with two key fields, or with
// no fields or no records, and one of texts that read as numbers, dates
// and times.
std::vector<Image> KeyKindTables() {
  using namespace std::string_literals;
  using namespace kavu32;
  std::vector<Image> images;
  images.push_back(TableImageBuilder("Names")
                       .Field("NAME", StringType, 1)
                       .Field("AGE", IntegerType)
                       .Record({"Ada"s, 36})
                       .Record({"Alan"s, 41})
                       .Record({"Grace"s, 85})
                       .Build());
  images.push_back(TableImageBuilder("Measures")
                       .Field("VALUE", FloatType, 1)
                       .Field("TAKEN", DateTimeType, 3)
                       .Field("NOTE", MemoType, 1)
                       .Record({-2.5, 1.0, "low"s})
                       .Record({0.0, 36526.5, ""s})
                       .Record({1e300, 2.0, "high"s})
                       .Build());
  images.push_back(TableImageBuilder("Flags")
                       .Field("ON", BooleanType, 1)
                       .Field("DATA", BlobType)
                       .Record({false, "\x00"s})
                       .Record({true, "\x01\x02\x03"s})
                       .Build());
  TableImageBuilder texts("Texts");
  texts.Field("TEXT", StringType, 1);
  for (const char* text : {" -17", "$7fffffff", "1.5E-5", "12:00 am", "1999-12-31", "2/29/2000",
                           "31.12.1999 23:59:59", "6/19/92 1:02:03 pm"}) {
    texts.Record({std::string(text)});
  }
  images.push_back(texts.Build());
  images.push_back(TableImageBuilder("Empty").Build());
  images.push_back(TableImageBuilder("NoRecords").Field("YEAR", IntegerType, 1).Build());
  return images;
}

void WriteSeed(const fs::path& folder, const std::string& name, const Image& input) {
  std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  if (!file) throw std::runtime_error("cannot write " + (folder / name).string());
}

void WriteTableSeeds(const fs::path& folder, const std::vector<Image>& images) {
  namespace control = kavu32::fuzz::table_control;
  // One integer search (a year), and two values of other kinds.
  const std::array<std::array<uint8_t, control::Size>, 2> controls = {{
      {1, 0, 0, 0, 0xc8, 0x07, 0, 0},  // integer 1992
      {2, 4, 3, 0, 0x10, 0, 0, 3},     // a 3-byte string, then a float
  }};
  for (size_t i = 0; i < images.size(); ++i) {
    for (size_t c = 0; c < controls.size(); ++c) {
      WriteSeed(folder, "table" + std::to_string(i) + "-" + std::to_string(c),
                kavu32::fuzz::ComposeInput(controls[c], images[i]));
    }
  }
}

void WriteLibrarySeeds(const fs::path& folder, const std::vector<Image>& standard,
                       const std::vector<Image>& additional) {
  // 19 June 1992 and 29 February 2000.
  const std::array<std::array<uint8_t, 4>, 2> dates = {{{0xc8, 0x07, 6, 19}, {0xd0, 0x07, 2, 29}}};
  auto write = [&](const std::string& name, uint8_t slot, const Image& image) {
    for (size_t d = 0; d < dates.size(); ++d) {
      const std::array<uint8_t, kavu32::fuzz::library_control::Size> control = {
          dates[d][0], dates[d][1], dates[d][2], dates[d][3], slot};
      WriteSeed(folder, name + "-" + std::to_string(d), kavu32::fuzz::ComposeInput(control, image));
    }
  };
  for (size_t i = 0; i < standard.size(); ++i)
    write("standard" + std::to_string(i), static_cast<uint8_t>(i), standard[i]);
  const auto additionalSlot = static_cast<uint8_t>(standard.size());
  for (size_t i = 0; i < additional.size(); ++i)
    write("additional" + std::to_string(i), additionalSlot, additional[i]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path tableFolder = root / "kavu32_table_image_fuzzer";
  const fs::path libraryFolder = root / "kavu32_library_fuzzer";
  fs::create_directories(tableFolder);
  fs::create_directories(libraryFolder);

  const std::vector<Image> standard = StandardTables();
  std::vector<Image> additional = KeyKindTables();
  additional.insert(additional.begin(), kavu32::testing::AllTypesTable().Build());

  std::vector<Image> all = standard;
  all.insert(all.end(), additional.begin(), additional.end());
  WriteTableSeeds(tableFolder, all);
  WriteLibrarySeeds(libraryFolder, standard, additional);
  return 0;
}

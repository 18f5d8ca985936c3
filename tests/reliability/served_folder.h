// What the reliability tests serve: a data folder with the eight standard
// tables, the all-types table and the graphic files of 19 June 1992, made
// the current folder (where the graphic builders look) for the life of
// the object.
#ifndef KAVU32_TESTS_RELIABILITY_SERVED_FOLDER_H
#define KAVU32_TESTS_RELIABILITY_SERVED_FOLDER_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kavu32.h"
#include "testing/fixture_folder.h"
#include "testing/host_calls.h"

namespace kavu32::testing {

class ServedFolder {
 public:
  // The size of the category list over this folder: 19 standard and 8
  // additional items and the closing record.
  static constexpr int32_t kCategoriesSize = (19 + 8 + 1) * 264;

  ServedFolder();
  ServedFolder(const ServedFolder&) = delete;
  ServedFolder& operator=(const ServedFolder&) = delete;
  ~ServedFolder();

  const std::string& Path() const { return files_.Path(); }
  FixtureFolder& Files() { return files_; }

 private:
  FixtureFolder files_;
  std::filesystem::path previous_;
};

// A started library over a ServedFolder with its categories listed and
// the date 19 June 1992 set; back to the state after loading at the end.
class ServedSessionTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  ServedFolder folder_;
};

// 1 to 40 (the standard types, the eight additional ones, and numbers
// without a category), 0 and -1.
std::vector<int32_t> EveryDataType();

// GetData's result as bytes, the terminating zero left out: a size query,
// then a buffer of exactly that size, which must be filled and end in a
// zero. Empty when the size query fails.
std::string RequestedData(int32_t dataType);

}  // namespace kavu32::testing

#endif

#include "served_folder.h"

#include <gtest/gtest.h>

#include "all_types_table.h"
#include "interface/library_state.h"

namespace kavu32::testing {

ServedFolder::ServedFolder() : previous_(std::filesystem::current_path()) {
  files_.WriteStandardTables();
  files_.WriteTable("Almanac.dtf", AllTypesTable());
  for (const char* graphic : {"Border.wmf", "Zodiac4.wmf", "Chines8.wmf"}) files_.WriteBytes(graphic, "");
  std::filesystem::current_path(files_.Path());
}

ServedFolder::~ServedFolder() { std::filesystem::current_path(previous_); }

void ServedSessionTest::SetUp() {
  ResetStateForTesting();
  StartUp(folder_.Path().c_str(), "");
  ASSERT_EQ(GetCategories(nullptr), ServedFolder::CategoriesSize);
  SetDateAndName(MakeDate(1992, 6, 19), "Ada");
}

void ServedSessionTest::TearDown() { ResetStateForTesting(); }

std::vector<int32_t> EveryDataType() {
  std::vector<int32_t> types;
  for (int32_t type = 1; type <= 40; ++type) types.push_back(type);
  types.push_back(0);
  types.push_back(-1);
  return types;
}

std::string RequestedData(int32_t dataType) {
  const int32_t size = GetData(dataType, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<size_t>(size), '\x7f');
  EXPECT_EQ(GetData(dataType, result.data()), size) << "type " << dataType;
  EXPECT_EQ(result.back(), '\0') << "type " << dataType;
  result.pop_back();
  return result;
}

}  // namespace kavu32::testing

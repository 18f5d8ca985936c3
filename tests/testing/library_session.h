// Runs the library through its exports for one scenario: started on the
// given folders, back to the state after loading at the end.
#ifndef KAVU32_TESTS_TESTING_LIBRARY_SESSION_H
#define KAVU32_TESTS_TESTING_LIBRARY_SESSION_H

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"

namespace kavu32::testing {

class LibrarySession {
 public:
  explicit LibrarySession(const std::string& first, const std::string& second = "") {
    ResetStateForTesting();
    StartUp(first.c_str(), second.c_str());
  }
  LibrarySession(const LibrarySession&) = delete;
  LibrarySession& operator=(const LibrarySession&) = delete;
  ~LibrarySession() { ResetStateForTesting(); }
};

// The list of a size query and a filling call, the closing record left
// out; empty (with a failure) when either call fails.
inline std::vector<CategoryRecord> ListedCategories() {
  const int32_t size = GetCategories(nullptr);
  EXPECT_GT(size, 0);
  if (size <= 0) return {};
  std::vector<CategoryRecord> records(static_cast<size_t>(size) / sizeof(CategoryRecord));
  EXPECT_EQ(GetCategories(records.data()), size);
  EXPECT_EQ(records.back().DataType, 0);
  records.pop_back();
  return records;
}

inline std::vector<int32_t> DataTypes(const std::vector<CategoryRecord>& records) {
  std::vector<int32_t> types;
  for (const CategoryRecord& record : records) types.push_back(record.DataType);
  return types;
}

}  // namespace kavu32::testing

#endif

// A started library over a fixture data set, and the checks every GetData
// test makes: the two-call protocol, the error code after each call, and
// result holders left empty.
#ifndef KAVU32_TESTS_RETRIEVAL_RETRIEVAL_SESSION_H
#define KAVU32_TESTS_RETRIEVAL_RETRIEVAL_SESSION_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kavu32.h"
#include "testing/fixture_folder.h"
#include "testing/host_calls.h"

namespace kavu32::testing {

inline constexpr int32_t kCategoryRecordSize = 264;
// The 19 standard items and the closing record.
inline constexpr int32_t kStandardListSize = 20 * kCategoryRecordSize;

class RetrievalTest : public ::testing::Test {
 protected:
  // Writes the eight standard tables.
  void SetUp() override;
  void TearDown() override;

  // StartUp over the fixture folder and GetCategories; the result of the
  // latter's size query.
  int32_t Load();
  void SetDate(uint16_t year, uint16_t month, uint16_t day, const char* name = "Ann Lee");

  // The bytes GetData delivers for type, terminator excluded, after
  // checking that the size query and the copy into a buffer of exactly that
  // size agree, that the error code repeats them and that nothing is
  // written past the buffer.
  std::string Data(int32_t type);
  // Both calls answer code, the error code is code and the buffer stays
  // untouched.
  void ExpectFailure(int32_t type, int32_t code);
  // The data type GetCategories lists under name; 0 when none.
  int32_t DataTypeNamed(const std::string& name);

  FixtureFolder folder_;

 private:
  bool started_ = false;
};

// The same, with the standard data set loaded.
class LoadedRetrievalTest : public RetrievalTest {
 protected:
  void SetUp() override {
    RetrievalTest::SetUp();
    ASSERT_EQ(Load(), kStandardListSize);
  }
};

// ResultText is empty and ResultStream has size 0.
void ExpectResultHoldersEmpty();

}  // namespace kavu32::testing

#endif

// Types 17 to 19: metafile names, delivered when the file exists in the
// current folder.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "retrieval_session.h"

namespace kavu32::testing {
namespace {

class GraphicsTest : public LoadedRetrievalTest {
 protected:
  void SetUp() override {
    LoadedRetrievalTest::SetUp();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(graphics_.Path());
    for (const char* name : {"Border.wmf", "Zodiac4.wmf", "Zodiac5.wmf", "Zodiac11.wmf", "Chines8.wmf",
                             "Chines9.wmf", "Chines10.wmf", "Chines11.wmf"}) {
      graphics_.WriteBytes(name, "metafile");
    }
  }
  void TearDown() override {
    if (!previous_.empty()) std::filesystem::current_path(previous_);
    LoadedRetrievalTest::TearDown();
  }

  FixtureFolder graphics_;
  std::filesystem::path previous_;
};

TEST_F(GraphicsTest, NamesOfTheSignsAndTheBorder) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(GetData(17, nullptr), 12);
  EXPECT_EQ(Data(17), "Zodiac4.wmf");
  EXPECT_EQ(Data(18), "Chines8.wmf");
  EXPECT_EQ(GetData(19, nullptr), 11);
  EXPECT_EQ(Data(19), "Border.wmf");
  SetDate(1992, 6, 21);
  EXPECT_EQ(Data(17), "Zodiac5.wmf");
  SetDate(1992, 1, 1);
  EXPECT_EQ(Data(17), "Zodiac11.wmf");
  SetDate(1992, 12, 31);
  EXPECT_EQ(Data(17), "Zodiac11.wmf");
}

TEST_F(GraphicsTest, TheFirstYearsNameSignsNineToEleven) {
  SetDate(1, 6, 19);
  EXPECT_EQ(Data(18), "Chines9.wmf");
  SetDate(2, 6, 19);
  EXPECT_EQ(GetData(18, nullptr), 13);
  EXPECT_EQ(Data(18), "Chines10.wmf");
  SetDate(3, 6, 19);
  EXPECT_EQ(Data(18), "Chines11.wmf");
}

TEST_F(GraphicsTest, AMissingFileIsNamedInTheMessage) {
  graphics_.Remove("Zodiac4.wmf");
  SetDate(1992, 6, 19);
  ExpectFailure(17, -3);
  EXPECT_EQ(ErrorText(), "Error while retrieving metafile Zodiac4.wmf");
}

// Each call looks for the file: the copy call does not rely on the size
// query's finding.
TEST_F(GraphicsTest, AFileRemovedAfterTheSizeQueryIsMissingForTheCopy) {
  SetDate(1992, 6, 19);
  ASSERT_EQ(GetData(17, nullptr), 12);
  graphics_.Remove("Zodiac4.wmf");
  char buffer[12] = {};
  EXPECT_EQ(GetData(17, buffer), -3);
  EXPECT_EQ(GetErrorCode(), -3);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '\0'));
  EXPECT_EQ(ErrorText(), "Error while retrieving metafile Zodiac4.wmf");
}

TEST_F(GraphicsTest, AFolderNamedLikeTheFileCountsAsMissing) {
  graphics_.Remove("Border.wmf");
  std::filesystem::create_directory(graphics_.Path() + "Border.wmf");
  SetDate(1992, 6, 19);
  ExpectFailure(19, -3);
  EXPECT_EQ(ErrorText(), "Error while retrieving metafile Border.wmf");
}

}  // namespace
}  // namespace kavu32::testing

#include <string>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "testing/fixture_folder.h"
#include "testing/raised_message.h"

namespace kavu32::testing {
namespace {

class StartStopTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetStateForTesting(); }
  void TearDown() override { ResetStateForTesting(); }
};

TEST_F(StartStopTest, CallsInTheWrongStateRaiseAndChangeNothing) {
  State().ErrorCode = -8;
  EXPECT_EQ(RaisedMessage([] { ShutDown(); }), "Already ShutDown, StartUp first!");
  EXPECT_EQ(GetErrorCode(), -8);

  StartUp("/first", "/second/");
  State().ErrorCode = 5280;
  EXPECT_EQ(RaisedMessage([] { StartUp("/other", "/other"); }), "Already Started, ShutDown first!");
  EXPECT_EQ(State().FirstFolder, "/first/");
  EXPECT_EQ(GetErrorCode(), 5280);
  ShutDown();
  EXPECT_EQ(RaisedMessage([] { ShutDown(); }), "Already ShutDown, StartUp first!");
}

TEST_F(StartStopTest, StartingAgainAfterShutDownClearsTheDate) {
  StartUp("/data", "");
  SetDateAndName(Kavu32Date{1992, 6, 5, 19, 0, 0, 0, 0}, "Ann Lee");
  EXPECT_TRUE(State().DateSet);
  ShutDown();
  EXPECT_FALSE(State().DateSet);
  EXPECT_TRUE(State().Stopped);
  StartUp("/data", "");
  EXPECT_FALSE(State().DateSet);
  EXPECT_FALSE(State().Stopped);
  EXPECT_EQ(GetErrorCode(), 0);
  EXPECT_EQ(GetData(1, nullptr), -16);
}

TEST_F(StartStopTest, FoldersGetOneTrailingSeparator) {
  const struct {
    const char* given;
    const char* stored;
  } cases[] = {{"/data", "/data/"}, {"/data/", "/data/"}, {"C:\\DATA", "C:\\DATA/"}, {"", ""}, {nullptr, ""}};
  for (const auto& folder : cases) {
    StartUp(folder.given, folder.given);
    EXPECT_EQ(State().FirstFolder, folder.stored);
    EXPECT_EQ(State().SecondFolder, folder.stored);
    ShutDown();
  }
}

TEST_F(StartStopTest, StartUpReadsNothingAndShutDownReleasesEverything) {
  FixtureFolder folder;
  StartUp(folder.Path().c_str(), "/nonexistent");
  ASSERT_NE(State().Categories, nullptr);
  EXPECT_EQ(State().Tables->TableCount(), 0);
  EXPECT_EQ(State().SharedTables->SharedTableCount(), 0);
  EXPECT_EQ(State().Categories->CategoryItemCount(), 0);
  ASSERT_NE(State().ResultStream, nullptr);
  // The missing tables show only now.
  EXPECT_EQ(GetCategories(nullptr), -8);

  folder.WriteStandardTables();
  EXPECT_EQ(GetCategories(nullptr), 5280);
  EXPECT_EQ(State().ReportedCategoriesSize, 5280);
  ShutDown();
  EXPECT_EQ(State().Categories, nullptr);
  EXPECT_EQ(State().Tables, nullptr);
  EXPECT_EQ(State().SharedTables, nullptr);
  EXPECT_EQ(State().ResultStream, nullptr);
  EXPECT_EQ(GetErrorCode(), 0);
  EXPECT_EQ(State().FirstFolder, folder.Path());
  // A new start forgets the size the host was told.
  StartUp(folder.Path().c_str(), "");
  EXPECT_EQ(State().ReportedCategoriesSize, 0);
}

}  // namespace
}  // namespace kavu32::testing

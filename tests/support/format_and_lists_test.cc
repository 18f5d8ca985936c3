// Format substitution and the object and string lists.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/format.h"
#include "support/object_list.h"
#include "testing/raised_message.h"

namespace {

using kavu32::Format;
using kavu32::testing::RaisedMessage;

TEST(FormatTest, SubstitutesTextsAndIntegersInOrder) {
  EXPECT_EQ(Format("A LOOK AT THE WORLD WHEN %s WAS BORN", {"ANN"}), "A LOOK AT THE WORLD WHEN ANN WAS BORN");
  EXPECT_EQ(Format("%s is %d years and %d days", {"Ann", 33, -5}), "Ann is 33 years and -5 days");
  EXPECT_EQ(Format("%d", {int32_t{INT32_MIN}}), "-2147483648");
}

TEST(FormatTest, OtherCharactersAndDirectivesStayAsWritten) {
  EXPECT_EQ(Format("100%% %x %", {"unused"}), "100%% %x %");
  EXPECT_EQ(Format("", {}), "");
}

TEST(FormatTest, MissingOrMismatchedArgumentsInsertNothing) {
  EXPECT_EQ(Format("[%s][%d]", {}), "[][]");
  // A mismatched argument is used up all the same.
  EXPECT_EQ(Format("[%d][%s]", {"text", "next"}), "[][next]");
  EXPECT_EQ(Format("[%s]", {7}), "[]");
}

struct Counted {
  explicit Counted(int& live) : Live(live) { ++Live; }
  ~Counted() { --Live; }
  int& Live;
};

TEST(ObjectListTest, OwningListDestroysWhatItHolds) {
  int live = 0;
  {
    kavu32::TList<Counted> list;
    list.Add(std::make_unique<Counted>(live));
    list.Add(std::make_unique<Counted>(live));
    EXPECT_EQ(live, 2);
    EXPECT_EQ(list.Count(), 2);
  }
  EXPECT_EQ(live, 0);
}

TEST(ObjectListTest, ReferringListLeavesObjectsAlone) {
  int live = 0;
  Counted kept(live);
  {
    kavu32::TList<Counted> list(kavu32::TList<Counted>::Referring);
    list.Add(&kept);
    EXPECT_EQ(&list[0], &kept);
  }
  EXPECT_EQ(live, 1);
}

TEST(ObjectListTest, BadIndexFailsWithListMessage) {
  kavu32::TList<int> list;
  list.Add(std::make_unique<int>(5));
  for (int index : {-1, 1}) {
    EXPECT_EQ(RaisedMessage([&] { (void)list[index]; }), "List index out of bounds");
  }
  EXPECT_EQ(list[0], 5);
}

TEST(StringListTest, KeepsInsertionOrderAndChecksIndexes) {
  kavu32::TStringList<int> list;
  list.AddObject("b", std::make_unique<int>(2));
  list.AddObject("a", std::make_unique<int>(1));
  EXPECT_EQ(list.Strings(0), "b");
  EXPECT_EQ(list.Objects(1), 1);
  EXPECT_EQ(RaisedMessage([&] { (void)list.Strings(2); }), "List index out of bounds");
  EXPECT_EQ(RaisedMessage([&] { (void)list.Objects(-1); }), "List index out of bounds");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace

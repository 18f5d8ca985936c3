// Additional categories: one item per field of a non-standard table, its
// record found by the key its first field's name selects.
#include "engine/field.h"
#include "retrieval_session.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;

// A table whose key field is named keyName and whose value field valueName,
// with one record per (key, value) pair, in key order.
TableImageBuilder KeyedTable(const std::string& title, const std::string& keyName,
                             const std::string& valueName,
                             std::initializer_list<std::pair<int32_t, const char*>> records) {
  TableImageBuilder table(title);
  table.Field(keyName, IntegerType, 1).Field(valueName, StringType);
  for (const auto& [key, value] : records) table.Record({key, std::string(value)});
  return table;
}

// Every field kind, keyed by year: 1991 with an empty memo, 1992 with
// values in every field.
TableImageBuilder CalendarTable() {
  TableImageBuilder table("Calendar");
  table.Field("YEAR", IntegerType, 1)
      .Field("EVENT", StringType)
      .Field("COUNT", IntegerType)
      .Field("RATE", FloatType)
      .Field("WHEN", DateTimeType)
      .Field("FLAG", BooleanType)
      .Field("NOTE", MemoType)
      .Field("PIC", GraphicType)
      .Field("RAW", BlobType)
      .Field("ZEROED", StringType);
  table.Record({int32_t{1991}, "Quiet"s, int32_t{0}, 0.0, 0.0, false, ""s, ""s, ""s, ""s});
  table.Record({int32_t{1992}, "Expo"s, int32_t{-17}, 2.5, 33774.0, true, "one\r\ntwo\nthree\0four"s,
                "GIF89a"s, "\x01\x02"s, "ab\0cd"s});
  return table;
}

class AdditionalCategoriesTest : public RetrievalTest {
 protected:
  void SetUp() override {
    RetrievalTest::SetUp();
    folder_.WriteTable("Calendar.dtf", CalendarTable());
    folder_.WriteTable("Monthly.dtf", KeyedTable("Monthly", "Month", "MVALUE",
                                                 {{6, "month six"}, {619, "wrong"}, {1992, "wrong"}}));
    folder_.WriteTable("YearMon.dtf", KeyedTable("YearMon", "YEARMONTH", "YMVALUE",
                                                 {{1992, "wrong"}, {199206, "June 1992"}}));
    folder_.WriteTable("MonthDay.dtf",
                       KeyedTable("MonthDay", "MONTHDAY", "MDVALUE", {{6, "wrong"}, {619, "June 19"}}));
    folder_.WriteTable("Daily.dtf", KeyedTable("Daily", "DAY", "DVALUE", {{19, "wrong"}, {19920619, "day"}}));
    folder_.WriteTable("YearDay.dtf",
                       KeyedTable("YearDay", "YEARDAY", "YDVALUE", {{19920619, "year and day"}}));
    folder_.WriteTable("Serial.dtf", KeyedTable("Serial", "ID", "IDVALUE", {{19920619, "whole date"}}));
    // 19 standard items, 10 + 6 * 2 additional ones and the closing record.
    ASSERT_EQ(Load(), (19 + 22 + 1) * CategoryRecordSize);
  }

  std::string DataNamed(const std::string& name) { return Data(DataTypeNamed(name)); }
  void ExpectFailureNamed(const std::string& name, int32_t code) {
    SCOPED_TRACE(name);
    ExpectFailure(DataTypeNamed(name), code);
  }
};

TEST_F(AdditionalCategoriesTest, EachKeyModeSearchesItsKey) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(DataNamed("EVENT"), "Expo");         // year
  EXPECT_EQ(DataNamed("MVALUE"), "month six");   // month
  EXPECT_EQ(DataNamed("YMVALUE"), "June 1992");  // year and month
  EXPECT_EQ(DataNamed("MDVALUE"), "June 19");    // month and day
  EXPECT_EQ(DataNamed("DVALUE"), "day");         // day alone: the whole date
  EXPECT_EQ(DataNamed("YDVALUE"), "year and day");
  EXPECT_EQ(DataNamed("IDVALUE"), "whole date");
  EXPECT_EQ(DataNamed("YEARMONTH"), "199206") << "the key field itself";
}

TEST_F(AdditionalCategoriesTest, TextOfEveryTextKind) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(DataNamed("YEAR"), "1992");
  EXPECT_EQ(DataNamed("COUNT"), "-17");
  EXPECT_EQ(DataNamed("RATE"), "2.5");
  EXPECT_EQ(DataNamed("WHEN"), "6/19/92");
  ExpectFailureNamed("FLAG", -2);
  EXPECT_EQ(ErrorText(), "Error while retriving string data");
}

TEST_F(AdditionalCategoriesTest, AZeroInsideATextEndsTheCopyButNotTheSize) {
  SetDate(1992, 6, 19);
  const int32_t type = DataTypeNamed("ZEROED");
  EXPECT_EQ(GetData(type, nullptr), 6);
  char buffer[8] = "#######";
  EXPECT_EQ(GetData(type, buffer), 6);
  EXPECT_EQ(std::string(buffer, 7), "ab\0####"s);
}

TEST_F(AdditionalCategoriesTest, MemoBytesAreDeliveredUnchanged) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(GetData(DataTypeNamed("NOTE"), nullptr), 20);
  EXPECT_EQ(DataNamed("NOTE"), "one\r\ntwo\nthree\0four"s);
  SetDate(1991, 6, 19);
  EXPECT_EQ(GetData(DataTypeNamed("NOTE"), nullptr), 1);
  EXPECT_EQ(DataNamed("NOTE"), "");
}

TEST_F(AdditionalCategoriesTest, PicturesAndBlobsAreRefusedOnceARecordExists) {
  SetDate(1992, 6, 19);
  ExpectFailureNamed("PIC", -14);
  ExpectFailureNamed("RAW", -14);
  EXPECT_EQ(ErrorText(), "Additional Graphic category type not supported");
  SetDate(1993, 6, 19);
  for (const char* name : {"PIC", "FLAG", "NOTE", "EVENT"}) ExpectFailureNamed(name, -1);
}

}  // namespace
}  // namespace kavu32::testing

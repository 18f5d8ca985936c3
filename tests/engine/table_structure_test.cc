// Opening a table: title, field numbering, the key run, records and the
// open/closed life cycle.
#include <gtest/gtest.h>

#include "engine/engine_errors.h"
#include "engine_fixture.h"

namespace kavu32::testing {
namespace {

TEST(TableStructure, SkippedDescriptorsTakeNoNumberAndNoBytes) {
  TableImageBuilder builder("Skip");
  builder.Field("A", IntegerType, 1)
      .Field("GONE", 9, 1)
      .Field("B", StringType)
      .Field("X", 200)
      .Field("C", IntegerType);
  builder.Record({7, "seven"s, 70});
  OpenTable open(builder);
  TsTable& table = open.Table;
  ASSERT_EQ(table.FieldCount(), 3);
  EXPECT_EQ(table.Fields(1).FieldName(), "B");
  EXPECT_EQ(table.Fields(2).FieldName(), "C");
  EXPECT_EQ(table.Fields(1).AsString(), "seven");
  EXPECT_EQ(table.Fields(2).AsInteger(), 70);
  // The skipped flagged descriptor neither joins nor ends the key run.
  EXPECT_EQ(table.KeyFieldCount(), 1);
}

TEST(TableStructure, KeyRunIsTheLeadingFlaggedFieldsOfKeyableTypes) {
  struct Case {
    std::vector<FieldSpec> Fields;
    int KeyFields;
  };
  const std::vector<Case> cases = {
      {{{"A", IntegerType, 1}, {"B", StringType, 0}, {"C", IntegerType, 1}}, 1},
      {{{"A", IntegerType, 1}, {"M", MemoType, 1}, {"C", IntegerType, 1}}, 1},
      {{{"G", GraphicType, 1}, {"A", IntegerType, 1}}, 0},
      {{{"A", IntegerType, 2}, {"B", IntegerType, 1}}, 0},
      {{{"A", IntegerType, 3},
        {"B", StringType, 0xFF},
        {"C", BooleanType, 1},
        {"D", FloatType, 1},
        {"E", DateTimeType, 1}},
       5},
      {{{"A", IntegerType, 0}}, 0},
  };
  for (const Case& c : cases) {
    TableImageBuilder builder("Run");
    for (const FieldSpec& f : c.Fields) builder.Field(f.Name, f.Type, f.KeyFlag);
    OpenTable open(builder);
    EXPECT_EQ(open.Table.KeyFieldCount(), c.KeyFields) << "first field " << c.Fields[0].Name;
    for (int i = 0; i < open.Table.KeyFieldCount(); ++i)
      EXPECT_EQ(&open.Table.KeyFields(i), &open.Table.Fields(i));
  }
}

TEST(TableStructure, TitleOfFifteenCharactersFillsItsBlock) {
  OpenTable open(TableImageBuilder("ABCDEFGHIJKLMNO").Field("A", IntegerType, 1));
  EXPECT_EQ(open.Table.Title(), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(open.Image[16], 24 + 13);  // DataStart follows the block directly
}

TEST(TableStructure, ZeroLengthStringsAndBlobsLeaveTheNextValueRightAfter) {
  TableImageBuilder builder("Empty");
  builder.Field("S", StringType).Field("B", BlobType).Field("M", MemoType).Field("N", IntegerType);
  builder.Record({""s, ""s, ""s, -5});
  OpenTable open(builder);
  TsTable& table = open.Table;
  EXPECT_EQ(table.Fields(0).AsString(), "");
  EXPECT_EQ(table.Fields(0).DataSize(), 1);
  EXPECT_EQ(table.Fields(1).DataSize(), 0);
  EXPECT_EQ(table.Fields(2).DataSize(), 0);
  EXPECT_EQ(table.Fields(3).AsInteger(), -5);
}

TEST(TableStructure, TableWithoutFieldsOrRecords) {
  OpenTable open(TableImageBuilder("None"));
  EXPECT_TRUE(open.Table.Active());
  EXPECT_EQ(open.Table.FieldCount(), 0);
  EXPECT_EQ(open.Table.RecordCount(), 0);
  EXPECT_EQ(open.Table.RecordNo(), -1);
  EXPECT_EQ(open.Table.DataStart(), 24);
  EXPECT_EQ(open.Table.IndexStart(), static_cast<int32_t>(open.Image.size()));
}

TEST(TableStructure, RecordCountIgnoresATrailingPieceOfTheOffsetList) {
  std::vector<uint8_t> image = IntegerKeyTable({1, 2}).Build();
  image.push_back(0xAB);
  image.push_back(0xCD);  // size - IndexStart = 10
  OpenTable open(std::move(image));
  EXPECT_EQ(open.Table.RecordCount(), 2);
}

TEST(TableStructure, IndexStartBeyondTheFileGivesNoRecords) {
  std::vector<uint8_t> image = IntegerKeyTable({1, 2}).Build();
  PutInt32(image, IndexStartOffset, static_cast<int32_t>(image.size()) + 100);
  OpenTable open(std::move(image));
  EXPECT_EQ(open.Table.RecordCount(), 0);
}

TEST(TableStructure, OpenMakesRecordZeroCurrent) {
  OpenTable open(IntegerKeyTable({10, 20}));
  EXPECT_EQ(open.Table.RecordNo(), 0);
  EXPECT_EQ(open.Table.Fields(0).AsInteger(), 10);
  EXPECT_EQ(open.Table.Fields(1).AsString(), "r0");
}

TEST(TableStructure, OpenTwiceFailsAndFindKeyOnAClosedTableFails) {
  OpenTable open(IntegerKeyTable({10}));
  EXPECT_EQ(RaisedMessage([&] { open.Table.Open(); }), TableIsOpen);
  EXPECT_TRUE(open.Table.Active());
  open.Table.Close();
  open.Table.Close();  // closing a closed table does nothing
  EXPECT_FALSE(open.Table.Active());
  EXPECT_EQ(open.Table.FieldCount(), 0);
  EXPECT_EQ(open.Table.RecordCount(), 0);
  EXPECT_EQ(RaisedMessage([&] { open.Table.FindKey(10); }), TableIsClosed);
}

TEST(TableStructure, CloseThenOpenReadsTheImageAgain) {
  OpenTable open(IntegerKeyTable({10, 20, 30}));
  ASSERT_TRUE(open.Table.FindKey(30));
  const TsField* before = &open.Table.Fields(0);
  open.Table.Close();
  // What the image says is read anew: a changed key shows.
  PutInt32(open.Image, static_cast<size_t>(open.Table.DataStart()), 11);
  open.Table.Open();
  EXPECT_EQ(open.Table.RecordNo(), 0);
  EXPECT_EQ(open.Table.RecordCount(), 3);
  EXPECT_EQ(open.Table.FieldCount(), 2);
  EXPECT_EQ(open.Table.Fields(0).AsInteger(), 11);
  EXPECT_NE(&open.Table.Fields(0), before);
}

TEST(TableStructure, ReadsTheImageInPlace) {
  OpenTable open(IntegerKeyTable({10, 20, 30}));
  const size_t record2 = static_cast<size_t>(GetInt32(open.Image, RecordOffsetEntry(open.Image, 2)));
  PutInt32(open.Image, record2, 35);
  EXPECT_TRUE(open.Table.FindKey(35));
  EXPECT_EQ(open.Table.RecordNo(), 2);
}

TEST(TableStructure, FailedOpenKeepsTitleAndFieldsReadable) {
  TableImageBuilder builder("Broken");
  builder.Field("KEY", IntegerType, 1).Field("NAME", StringType).Field("MEMO", MemoType);
  builder.Record({1, "one"s, "memo"s});
  std::vector<uint8_t> image = builder.Build();
  DamageRecord(image, 0);
  TableOverImage broken(std::move(image));
  EXPECT_EQ(RaisedMessage([&] { broken.Table.Open(); }), StreamReadError);
  EXPECT_FALSE(broken.Table.Active());
  EXPECT_EQ(broken.Table.Title(), "Broken");
  ASSERT_EQ(broken.Table.FieldCount(), 3);
  EXPECT_EQ(broken.Table.Fields(2).FieldName(), "MEMO");
  EXPECT_EQ(broken.Table.Fields(2).FieldType(), MemoType);
  EXPECT_EQ(broken.Table.KeyFieldCount(), 1);
  EXPECT_EQ(broken.Table.RecordCount(), 0);
  EXPECT_EQ(RaisedMessage([&] { broken.Table.FindKey(1); }), TableIsClosed);
  // A second attempt fails the same way rather than reading stale state.
  EXPECT_EQ(RaisedMessage([&] { broken.Table.Open(); }), StreamReadError);
  EXPECT_EQ(broken.Table.FieldCount(), 3);
}

TEST(TableStructure, FieldNumbersOutsideTheListFail) {
  OpenTable open(IntegerKeyTable({1}));
  EXPECT_EQ(RaisedMessage([&] { open.Table.Fields(2); }), ListIndexOutOfBounds);
  EXPECT_EQ(RaisedMessage([&] { open.Table.Fields(-1); }), ListIndexOutOfBounds);
  EXPECT_EQ(RaisedMessage([&] { open.Table.KeyFields(1); }), ListIndexOutOfBounds);
}

TEST(TableStructure, GoToRecordWithANegativeNumberClearsEveryField) {
  TableImageBuilder builder("Clear");
  builder.Field("K", IntegerType, 1).Field("B", BooleanType).Field("F", FloatType).Field("S", StringType);
  builder.Field("D", DateTimeType).Field("M", MemoType);
  builder.Record({5, true, 2.5, "text"s, 33000.5, "memo"s});
  OpenTable open(builder);
  TsTable& table = open.Table;
  table.GoToRecord(-1);
  EXPECT_EQ(table.RecordNo(), -1);
  EXPECT_FALSE(table.EditMode());
  EXPECT_EQ(table.Fields(0).AsInteger(), 0);
  EXPECT_FALSE(table.Fields(1).AsBoolean());
  EXPECT_EQ(table.Fields(2).AsFloat(), 0.0);
  EXPECT_EQ(table.Fields(3).AsString(), "");
  EXPECT_EQ(table.Fields(3).DataSize(), 1);
  EXPECT_EQ(table.Fields(4).AsDateTime(), 0.0);
  EXPECT_EQ(table.Fields(5).DataSize(), 0);
  // A search that misses keeps the cleared values.
  EXPECT_FALSE(table.FindKey(6));
  EXPECT_EQ(table.RecordNo(), -1);
  EXPECT_EQ(table.Fields(3).AsString(), "");
  // Beyond the last record nothing changes.
  table.GoToRecord(0);
  table.GoToRecord(1);
  EXPECT_EQ(table.RecordNo(), 0);
  EXPECT_EQ(table.Fields(3).AsString(), "text");
}

TEST(LongintList, ItemsOutsideTheListFail) {
  TLongintList list;
  const int32_t values[] = {7, -8};
  list.Write(values, sizeof values);
  list.Write("xy", 2);  // a trailing piece does not count
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1), -8);
  EXPECT_EQ(RaisedMessage([&] { list.Items(-1); }), ItemIndexOutOfBounds);
  EXPECT_EQ(RaisedMessage([&] { list.Items(2); }), ItemIndexOutOfBounds);
}

TEST(SharedMemoryStream, ReadsTheBlockInPlaceAndLeavesIt) {
  std::vector<uint8_t> block = {1, 2, 3};
  {
    TSharedMemoryStream stream;
    stream.Attach(block.data(), 3);
    EXPECT_EQ(stream.Memory(), block.data());
    EXPECT_EQ(stream.Size(), 3);
    uint8_t two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(two[1], 2);
    EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(two, 2); }), StreamReadError);
  }
  EXPECT_EQ(block, (std::vector<uint8_t>{1, 2, 3}));
  TSharedMemoryStream missing;
  EXPECT_EQ(RaisedMessage([&] { missing.Attach(nullptr, 5); }), MissingBlock);
}

}  // namespace
}  // namespace kavu32::testing

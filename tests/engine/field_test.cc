// The field classes: stored values, conversions, reading and writing the
// stored form, and the edit-mode test of the setters.
#include <gtest/gtest.h>

#include "engine/engine_errors.h"
#include "engine_fixture.h"
#include "support/regional_settings.h"

namespace kavu32::testing {
namespace {

class FieldTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRegional(RegionalSettings{}); }

  // A table of one field named V holding value in its only record.
  static OpenTable OneValue(uint8_t type, Cell value) {
    TableImageBuilder builder("One");
    builder.Field("V", type, 1).Record({std::move(value)});
    return OpenTable(builder);
  }
};

TEST_F(FieldTest, FloatToIntegerRoundsHalvesToEven) {
  const std::vector<std::pair<double, int32_t>> cases = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}};
  for (const auto& [stored, rounded] : cases) {
    EXPECT_EQ(OneValue(FloatType, stored).Table.Fields(0).AsInteger(), rounded) << stored;
  }
  EXPECT_EQ(RaisedMessage([] { OneValue(FloatType, 3e9).Table.Fields(0).AsInteger(); }),
            "'3000000000' is not a valid integer value");
  EXPECT_EQ(OneValue(DateTimeType, 4.5).Table.Fields(0).AsInteger(), 4);
}

TEST_F(FieldTest, TextOfNumbers) {
  EXPECT_EQ(OneValue(IntegerType, -17).Table.Fields(0).AsString(), "-17");
  EXPECT_EQ(OneValue(IntegerType, -17).Table.Fields(0).AsFloat(), -17.0);
  EXPECT_EQ(OneValue(FloatType, 0.1).Table.Fields(0).AsString(), "0.1");
  EXPECT_EQ(OneValue(FloatType, 1e20).Table.Fields(0).AsString(), "1E20");
  EXPECT_EQ(OneValue(FloatType, -1.5e-5).Table.Fields(0).AsString(), "-1.5E-5");
}

TEST_F(FieldTest, StringConversionsParseTheText) {
  EXPECT_EQ(OneValue(StringType, " 42"s).Table.Fields(0).AsInteger(), 42);
  EXPECT_EQ(OneValue(StringType, "$1f"s).Table.Fields(0).AsInteger(), 31);
  EXPECT_EQ(OneValue(StringType, "2.5"s).Table.Fields(0).AsFloat(), 2.5);
  EXPECT_EQ(RaisedMessage([] { OneValue(StringType, "abc"s).Table.Fields(0).AsFloat(); }),
            "'abc' is not a valid floating point value");
  EXPECT_EQ(RaisedMessage([] { OneValue(StringType, "4x"s).Table.Fields(0).AsInteger(); }),
            "'4x' is not a valid integer value");
  EXPECT_EQ(OneValue(StringType, "6/19/92"s).Table.Fields(0).AsDateTime(), EncodeDate(1992, 6, 19));
}

TEST_F(FieldTest, DateTimeTextShowsTheTimeOnlyWhenThereIsOne) {
  const double day = EncodeDate(1992, 6, 19);
  EXPECT_EQ(OneValue(DateTimeType, day).Table.Fields(0).AsString(), "6/19/92");
  const std::string withTime = OneValue(DateTimeType, day + 0.75).Table.Fields(0).AsString();
  EXPECT_EQ(withTime.substr(0, 8), "6/19/92 ");
  EXPECT_NE(withTime.find("6:00:00"), std::string::npos) << withTime;
  EXPECT_EQ(OneValue(DateTimeType, day).Table.Fields(0).AsFloat(), day);
}

TEST_F(FieldTest, BooleanUsesTheStoredByte) {
  EXPECT_TRUE(OneValue(BooleanType, int32_t{200}).Table.Fields(0).AsBoolean());
  EXPECT_FALSE(OneValue(BooleanType, false).Table.Fields(0).AsBoolean());
  EXPECT_EQ(OneValue(BooleanType, int32_t{200}).Table.Fields(0).StoredBytes()[0], 200);
}

TEST_F(FieldTest, UnsupportedConversionsFailNamingTheField) {
  OpenTable boolean = OneValue(BooleanType, true);
  EXPECT_EQ(RaisedMessage([&] { boolean.Table.Fields(0).AsString(); }),
            "Cannot convert field 'V' to a string");
  EXPECT_EQ(RaisedMessage([&] { boolean.Table.Fields(0).AsInteger(); }),
            "Cannot convert field 'V' to an integer");
  OpenTable integer = OneValue(IntegerType, 1);
  EXPECT_EQ(RaisedMessage([&] { integer.Table.Fields(0).AsBoolean(); }),
            "Cannot convert field 'V' to a boolean");
  EXPECT_EQ(RaisedMessage([&] { integer.Table.Fields(0).AsDateTime(); }),
            "Cannot convert field 'V' to a date and time");
  EXPECT_EQ(RaisedMessage([&] { integer.Table.Fields(0).SetAsBoolean(true); }),
            "Cannot assign a boolean to field 'V'");
  for (uint8_t type : {BlobType, MemoType, GraphicType}) {
    OpenTable blob = OneValue(type, "bytes"s);
    EXPECT_EQ(RaisedMessage([&] { blob.Table.Fields(0).AsString(); }),
              "Cannot convert field 'V' to a string");
    EXPECT_EQ(RaisedMessage([&] { blob.Table.Fields(0).AsFloat(); }), "Cannot convert field 'V' to a float");
  }
}

TEST_F(FieldTest, SettersOutsideEditModeFailAndChangeNothing) {
  OpenTable integer = OneValue(IntegerType, 5);
  TsField& field = integer.Table.Fields(0);
  EXPECT_EQ(RaisedMessage([&] { field.SetAsInteger(6); }), NotInEditMode);
  EXPECT_EQ(RaisedMessage([&] { field.SetAsString("7"); }), NotInEditMode);
  EXPECT_EQ(RaisedMessage([&] { field.SetAsFloat(8.0); }), NotInEditMode);
  EXPECT_EQ(RaisedMessage([&] { field.Clear(); }), NotInEditMode);
  EXPECT_EQ(field.AsInteger(), 5);
  OpenTable text = OneValue(StringType, "keep"s);
  EXPECT_EQ(RaisedMessage([&] { text.Table.Fields(0).SetAsString("other"); }), NotInEditMode);
  EXPECT_EQ(text.Table.Fields(0).AsString(), "keep");
  // Blob fields clear without the test.
  OpenTable blob = OneValue(BlobType, "bytes"s);
  blob.Table.Fields(0).Clear();
  EXPECT_EQ(blob.Table.Fields(0).DataSize(), 0);
  TsIntegerField loose(nullptr, "LOOSE");
  EXPECT_EQ(RaisedMessage([&] { loose.SetAsInteger(1); }), NotInEditMode);
}

TEST_F(FieldTest, StringOf255CharactersReadsBackWhole) {
  const std::string longest(255, 'z');
  OpenTable open = OneValue(StringType, longest);
  EXPECT_EQ(open.Table.Fields(0).AsString(), longest);
  EXPECT_EQ(open.Table.Fields(0).DataSize(), 256);
}

TEST_F(FieldTest, BlobClassesDifferOnlyInTheirTypeCode) {
  const std::string bytes("a\0b\xFF", 4);
  for (uint8_t type : {BlobType, MemoType, GraphicType}) {
    OpenTable open = OneValue(type, bytes);
    auto& blob = dynamic_cast<TsBlobField&>(open.Table.Fields(0));
    EXPECT_EQ(blob.FieldType(), type);
    EXPECT_EQ(blob.DataSize(), 4);
    TMemoryStream target;
    target.Write("xy", 2);
    blob.SaveToStream(target);
    EXPECT_EQ(target.Position(), 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 6), "xy" + bytes);
  }
}

TEST_F(FieldTest, SavingAnEmptyBlobWritesNothing) {
  OpenTable open = OneValue(MemoType, ""s);
  TMemoryStream target;
  target.Write("abc", 3);
  target.Seek(1);
  dynamic_cast<TsBlobField&>(open.Table.Fields(0)).SaveToStream(target);
  EXPECT_EQ(target.Position(), 1);
  EXPECT_EQ(target.Size(), 3);
}

TEST_F(FieldTest, WriteValueIsTheInverseOfReadValue) {
  TableImageBuilder builder("All");
  builder.Field("B", BooleanType).Field("I", IntegerType).Field("F", FloatType).Field("S", StringType);
  builder.Field("D", DateTimeType).Field("L", BlobType).Field("M", MemoType).Field("G", GraphicType);
  builder.Record({int32_t{7}, -3, 1.25, "text"s, 33774.5, "blob"s, ""s, "\x01\x02"s});
  OpenTable open(builder);
  TMemoryStream written;
  for (int i = 0; i < open.Table.FieldCount(); ++i) open.Table.Fields(i).WriteValue(written);
  const auto record = static_cast<size_t>(open.Table.DataStart());
  const std::vector<uint8_t> stored(open.Image.begin() + static_cast<std::ptrdiff_t>(record),
                                    open.Image.begin() + open.Table.IndexStart());
  ASSERT_EQ(written.Size(), static_cast<int64_t>(stored.size()));
  EXPECT_EQ(std::vector<uint8_t>(written.Memory(), written.Memory() + written.Size()), stored);
}

TEST_F(FieldTest, ReadValueFailsOnTruncatedOrNegativeSources) {
  const auto source = [](std::string bytes) {
    auto stream = std::make_unique<TMemoryStream>();
    stream->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream->Seek(0);
    return stream;
  };
  TsIntegerField integer(nullptr, "I");
  EXPECT_EQ(RaisedMessage([&] { integer.ReadValue(*source("ab")); }), StreamReadError);
  TsStringField text(nullptr, "S");
  EXPECT_EQ(RaisedMessage([&] {
              text.ReadValue(
                  *source("\x05"
                          "abc"));
            }),
            StreamReadError);
  EXPECT_EQ(RaisedMessage([&] { text.ReadValue(*source("")); }), StreamReadError);
  TsBlobField blob(nullptr, "B");
  EXPECT_EQ(RaisedMessage([&] { blob.ReadValue(*source("\xFF\xFF\xFF\xFF")); }), OutOfMemoryInStream);
  EXPECT_EQ(RaisedMessage([&] {
              blob.ReadValue(
                  *source("\x00\x00\x00\x7F"
                          "abc"s));
            }),
            StreamReadError);
  EXPECT_EQ(RaisedMessage([&] { blob.ReadValue(*source("\x01\x00")); }), StreamReadError);
  auto exact = source(
      "\x03\x00\x00\x00"
      "abc"s);
  blob.ReadValue(*exact);
  EXPECT_EQ(blob.DataSize(), 3);
  EXPECT_EQ(exact->Position(), 7);
}

}  // namespace
}  // namespace kavu32::testing

// FindKey: the bisection's probes, equal keys, misses, kinds and keys of
// several fields.
#include <gtest/gtest.h>

#include "engine/engine_errors.h"
#include "engine_fixture.h"

namespace kavu32::testing {
namespace {

// Keys 10, 20, 30 with one record pointing outside the image: a probe of
// that record fails, so which searches fail shows which records they probe.
// With a second key field the probes read keys field by field instead of
// taking the one-integer shortcut; they must probe the same records.
OpenTable WorkedExampleDamaging(size_t record, bool secondKeyField) {
  TableImageBuilder builder("Keys");
  builder.Field("KEY", kIntegerType, 1).Field("TEXT", kStringType, secondKeyField ? 1 : 0);
  for (int32_t key : {10, 20, 30}) builder.Record({key, "r" + std::to_string(key / 10 - 1)});
  std::vector<uint8_t> image = builder.Build();
  DamageRecord(image, record);
  return OpenTable(std::move(image));
}

class FindKeyProbes : public ::testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(KeyOfOneAndOfTwoFields, FindKeyProbes, ::testing::Bool());

TEST_P(FindKeyProbes, WorkedExampleProbesOneOneTwoForThirty) {
  OpenTable damaged2 = WorkedExampleDamaging(2, GetParam());
  // 10 probes 1, 0, 0; 15 probes 1, 0, 1: neither touches record 2.
  EXPECT_TRUE(damaged2.Table.FindKey(10));
  EXPECT_EQ(damaged2.Table.RecordNo(), 0);
  EXPECT_FALSE(damaged2.Table.FindKey(15));
  EXPECT_TRUE(damaged2.Table.FindKey(20));
  // 30 and 25 probe 1, 1, 2.
  EXPECT_EQ(RaisedMessage([&] { damaged2.Table.FindKey(30); }), kStreamReadError);
  EXPECT_EQ(RaisedMessage([&] { damaged2.Table.FindKey(25); }), kStreamReadError);
  EXPECT_EQ(damaged2.Table.RecordNo(), 1);  // a failed search leaves the cursor
}

TEST_P(FindKeyProbes, EverySearchProbesTheMiddleRecordFirst) {
  OpenTable damaged = WorkedExampleDamaging(1, GetParam());
  for (int32_t key : {5, 10, 20, 30, 35}) {
    EXPECT_EQ(RaisedMessage([&] { damaged.Table.FindKey(key); }), kStreamReadError) << key;
  }
  EXPECT_EQ(damaged.Table.RecordNo(), 0);
  EXPECT_EQ(damaged.Table.Fields(1).AsString(), "r0");
}

TEST(FindKeySequence, WorkedExampleResults) {
  OpenTable open(IntegerKeyTable({10, 20, 30}));
  EXPECT_TRUE(open.Table.FindKey(30));
  EXPECT_EQ(open.Table.RecordNo(), 2);
  EXPECT_TRUE(open.Table.FindKey(10));
  EXPECT_EQ(open.Table.RecordNo(), 0);
  EXPECT_FALSE(open.Table.FindKey(25));
  EXPECT_FALSE(open.Table.FindKey(5));
  EXPECT_FALSE(open.Table.FindKey(35));
  EXPECT_EQ(open.Table.RecordNo(), 0);
}

TEST(FindKeySequence, TwoCandidatesLeftMovesToOneWithoutProbingTheOther) {
  std::vector<uint8_t> image = IntegerKeyTable({10, 20}).Build();
  DamageRecord(image, 1);
  OpenTable open(std::move(image));
  EXPECT_TRUE(open.Table.FindKey(10));  // probes 0 and 0
  EXPECT_FALSE(open.Table.FindKey(5));
  EXPECT_EQ(RaisedMessage([&] { open.Table.FindKey(20); }), kStreamReadError);
}

TEST(FindKeySequence, EqualKeysLandOnTheFirstProbedRecord) {
  OpenTable five(IntegerKeyTable({10, 20, 20, 20, 20}));
  EXPECT_TRUE(five.Table.FindKey(20));
  EXPECT_EQ(five.Table.RecordNo(), 2);
  OpenTable three(IntegerKeyTable({10, 10, 20}));
  EXPECT_TRUE(three.Table.FindKey(10));
  EXPECT_EQ(three.Table.RecordNo(), 1);
  EXPECT_EQ(three.Table.Fields(1).AsString(), "r1");
}

TEST(FindKeySequence, FindsEveryKeyOfALargerTableAndNothingBetween) {
  std::vector<int32_t> keys;
  for (int32_t k = -500; k < 500; k += 3) keys.push_back(k);
  OpenTable open(IntegerKeyTable(keys));
  for (size_t i = 0; i < keys.size(); ++i) {
    ASSERT_TRUE(open.Table.FindKey(keys[i])) << keys[i];
    EXPECT_EQ(open.Table.RecordNo(), static_cast<int32_t>(i));
    ASSERT_FALSE(open.Table.FindKey(keys[i] + 1));
    EXPECT_EQ(open.Table.RecordNo(), static_cast<int32_t>(i));
  }
}

TEST(FindKey, AMissLeavesTheCursorAndEveryFieldValue) {
  TableImageBuilder builder("Miss");
  builder.Field("KEY", kIntegerType, 1).Field("NAME", kStringType).Field("MEMO", kMemoType);
  builder.Record({1, "one"s, "first memo"s}).Record({2, "two"s, "second"s}).Record({3, "three"s, "third"s});
  OpenTable open(builder);
  ASSERT_TRUE(open.Table.FindKey(3));
  EXPECT_FALSE(open.Table.FindKey(0));
  EXPECT_FALSE(open.Table.FindKey(4));
  EXPECT_EQ(open.Table.RecordNo(), 2);
  EXPECT_EQ(open.Table.Fields(0).AsInteger(), 3);
  EXPECT_EQ(open.Table.Fields(1).AsString(), "three");
  TMemoryStream memo;
  dynamic_cast<TsBlobField&>(open.Table.Fields(2)).SaveToStream(memo);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(memo.Memory()), memo.Size()), "third");
}

TEST(FindKey, TableWithoutRecordsFailsAtItsFirstProbe) {
  OpenTable open(IntegerKeyTable({}));
  EXPECT_EQ(RaisedMessage([&] { open.Table.FindKey(1); }), kItemIndexOutOfBounds);
}

TEST(FindKey, TableWithoutKeyFieldsFindsNothingAndProbesNothing) {
  TableImageBuilder builder("NoKey");
  builder.Field("A", kIntegerType, 0).Field("B", kStringType);
  builder.Record({1, "a"s}).Record({2, "b"s});
  std::vector<uint8_t> image = builder.Build();
  DamageRecord(image, 1);
  OpenTable open(std::move(image));
  EXPECT_FALSE(open.Table.FindKey(1));
  EXPECT_EQ(open.Table.RecordNo(), 0);
  OpenTable empty(TableImageBuilder("Empty").Field("A", kIntegerType, 0));
  EXPECT_FALSE(empty.Table.FindKey(1));
}

TEST(FindKey, NoValuesFindNothing) {
  OpenTable open(IntegerKeyTable({10, 20, 30}));
  EXPECT_FALSE(open.Table.FindKey(std::span<const TsKeyValue>()));
}

TEST(FindKey, AKindThatIsNeverLookedAtMatchesTheFirstProbe) {
  OpenTable open(IntegerKeyTable({10, 20, 30, 40}));
  const TsKeyValue other = TsKeyValue::OfKind(kLongTextKey);
  EXPECT_TRUE(open.Table.FindKey(std::span(&other, 1)));
  EXPECT_EQ(open.Table.RecordNo(), 1);  // (0 + 3) / 2
}

TEST(FindKey, AValueOfTheWrongKindFindsNothing) {
  const std::vector<std::pair<uint8_t, Cell>> keyFields = {
      {kStringType, "10"s}, {kBooleanType, true}, {kFloatType, 10.0}, {kDateTimeType, 10.0}};
  for (const auto& [type, value] : keyFields) {
    TableImageBuilder builder("Kinds");
    builder.Field("KEY", type, 1).Record({value});
    OpenTable open(builder);
    EXPECT_FALSE(open.Table.FindKey(10)) << int{type};
    EXPECT_FALSE(open.Table.FindKey(1)) << int{type};
    EXPECT_EQ(open.Table.RecordNo(), 0);
  }
  OpenTable integers(IntegerKeyTable({10}));
  const TsKeyValue wrong[] = {TsKeyValue::OfShortString("10"), TsKeyValue::OfExtended(10),
                              TsKeyValue::OfBoolean(10), TsKeyValue::OfCharacter('\n')};
  for (const TsKeyValue& value : wrong) EXPECT_FALSE(integers.Table.FindKey(std::span(&value, 1)));
}

TEST(FindKey, KeysOfEachKeyableType) {
  const char* present[] = {"", "A", "AB", "B", "a", "\xE9"};  // in byte order
  TableImageBuilder strings("S");
  strings.Field("K", kStringType, 1);
  for (const char* k : present) strings.Record({std::string(k)});
  OpenTable s(strings);
  for (int32_t i = 0; i < 6; ++i) {
    const TsKeyValue value = TsKeyValue::OfShortString(present[i]);
    ASSERT_TRUE(s.Table.FindKey(std::span(&value, 1))) << present[i];
    EXPECT_EQ(s.Table.RecordNo(), i);
  }
  const TsKeyValue absent = TsKeyValue::OfShortString("AA");
  EXPECT_FALSE(s.Table.FindKey(std::span(&absent, 1)));

  TableImageBuilder booleans("B");
  booleans.Field("K", kBooleanType, 1).Record({false}).Record({true}).Record({int32_t{200}});
  OpenTable b(booleans);
  const TsKeyValue stored200 = TsKeyValue::OfBoolean(200);
  EXPECT_TRUE(b.Table.FindKey(std::span(&stored200, 1)));
  EXPECT_EQ(b.Table.RecordNo(), 2);
  const TsKeyValue character = TsKeyValue::OfCharacter('\x01');
  EXPECT_TRUE(b.Table.FindKey(std::span(&character, 1)));
  EXPECT_EQ(b.Table.RecordNo(), 1);

  TableImageBuilder floats("F");
  floats.Field("K", kFloatType, 1).Record({-1.5}).Record({0.25}).Record({1e300});
  OpenTable f(floats);
  const TsKeyValue quarter = TsKeyValue::OfExtended(0.25);
  EXPECT_TRUE(f.Table.FindKey(std::span(&quarter, 1)));
  EXPECT_EQ(f.Table.RecordNo(), 1);
}

TEST(FindKey, KeysOfSeveralFieldsCompareFieldByField) {
  TableImageBuilder builder("Two");
  builder.Field("YEAR", kIntegerType, 1).Field("NAME", kStringType, 1).Field("NOTE", kStringType);
  builder.Record({1990, "b"s, "1990b"s}).Record({1992, "a"s, "1992a"s}).Record({1992, "c"s, "1992c"s});
  builder.Record({1993, "a"s, "1993a"s});
  OpenTable open(builder);
  ASSERT_EQ(open.Table.KeyFieldCount(), 2);
  const TsKeyValue both[] = {TsKeyValue::OfInteger(1992), TsKeyValue::OfShortString("c")};
  EXPECT_TRUE(open.Table.FindKey(both));
  EXPECT_EQ(open.Table.Fields(2).AsString(), "1992c");
  const TsKeyValue missing[] = {TsKeyValue::OfInteger(1992), TsKeyValue::OfShortString("b")};
  EXPECT_FALSE(open.Table.FindKey(missing));
  // One value matches on the first key field only; extra values are ignored.
  EXPECT_TRUE(open.Table.FindKey(1993));
  EXPECT_EQ(open.Table.RecordNo(), 3);
  const TsKeyValue three[] = {TsKeyValue::OfInteger(1990), TsKeyValue::OfShortString("b"),
                              TsKeyValue::OfShortString("ignored")};
  EXPECT_TRUE(open.Table.FindKey(three));
  EXPECT_EQ(open.Table.RecordNo(), 0);
}

TEST(FindKey, OneValueOnATableWithOneKeyFieldComparesItOnly) {
  OpenTable open(IntegerKeyTable({10, 20}));
  const TsKeyValue two[] = {TsKeyValue::OfInteger(20), TsKeyValue::OfInteger(999)};
  EXPECT_TRUE(open.Table.FindKey(two));
  EXPECT_EQ(open.Table.RecordNo(), 1);
}

TEST(FindKey, ADamagedNonKeyFieldOfTheFoundRecordFailsAndKeepsTheCursor) {
  TableImageBuilder builder("Memo");
  builder.Field("KEY", kIntegerType, 1).Field("MEMO", kMemoType);
  builder.Record({1, "a"s}).Record({2, "b"s});
  std::vector<uint8_t> image = builder.Build();
  const auto record1 = static_cast<size_t>(GetInt32(image, RecordOffsetEntry(image, 1)));
  PutInt32(image, record1 + 4, 1000);  // the memo runs past the image
  OpenTable open(std::move(image));
  EXPECT_EQ(RaisedMessage([&] { open.Table.FindKey(2); }), kStreamReadError);
  EXPECT_EQ(open.Table.RecordNo(), 0);
}

TEST(CompareKeys, ComparesByTheSearchItemsKind) {
  const auto text = [](std::string_view s) { return TsKeyValue::OfShortString(s); };
  const TsKeyValue ab[] = {text("ab")}, abc[] = {text("abc")}, b[] = {text("b")};
  EXPECT_EQ(CompareKeys(ab, abc), -1);
  EXPECT_EQ(CompareKeys(b, abc), 1);
  EXPECT_EQ(CompareKeys(ab, ab), 0);
  const TsKeyValue high[] = {TsKeyValue::OfCharacter('\xF0')}, low[] = {TsKeyValue::OfBoolean(1)};
  EXPECT_EQ(CompareKeys(high, low), 1);  // bytes are unsigned
  const TsKeyValue minus[] = {TsKeyValue::OfInteger(-1)}, plus[] = {TsKeyValue::OfInteger(1)};
  EXPECT_EQ(CompareKeys(minus, plus), -1);
  EXPECT_EQ(CompareKeys({}, plus), 0);
  const std::string long300(300, 'x');
  EXPECT_EQ(TsKeyValue::OfShortString(long300).ShortString.size(), 255u);
}

}  // namespace
}  // namespace kavu32::testing

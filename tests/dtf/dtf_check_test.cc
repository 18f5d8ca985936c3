// dtf check and dump on sound and malformed tables, and the command line.
#include <gtest/gtest.h>

#include "dtf_runner.h"
#include "engine/field.h"
#include "engine/table_format.h"

namespace kavu32::testing {
namespace {

TableImageBuilder ThreeRecords() {
  TableImageBuilder table("Three");
  table.Field("K", kIntegerType, 1).Field("S", kStringType).Field("M", kMemoType);
  table.Record({1, "one"s, "memo 1"s}).Record({2, "two"s, "memo 2"s}).Record({3, "three"s, ""s});
  return table;
}

class DtfCheck : public ::testing::Test {
 protected:
  void WriteImage(const std::vector<uint8_t>& image) {
    folder_.WriteBytes("x.dtf", std::string(image.begin(), image.end()));
  }

  // What check prints about image, expecting it to fail.
  std::string CheckFailure(const std::vector<uint8_t>& image) {
    WriteImage(image);
    const DtfRun run = RunDtf(folder_, "check x.dtf");
    EXPECT_EQ(run.Status, 1) << run.Out;
    return run.Out;
  }

  FixtureFolder folder_;
};

TEST_F(DtfCheck, SoundTableIsOk) {
  WriteImage(ThreeRecords().Build());
  const DtfRun run = RunDtf(folder_, "check x.dtf");
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "ok: 3 records, 3 fields\n");
}

TEST_F(DtfCheck, EachMalformedImageIsRejectedWithItsReason) {
  const std::vector<uint8_t> sound = ThreeRecords().Build();
  const auto patched = [&](size_t at, int32_t value) {
    std::vector<uint8_t> image = sound;
    PutInt32(image, at, value);
    return image;
  };
  const auto withByte = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> image = sound;
    image[at] = value;
    return image;
  };
  const std::string cannotOpen = "x.dtf: cannot open the table: ";
  EXPECT_EQ(CheckFailure(std::vector<uint8_t>(sound.begin(), sound.begin() + 20)), cannotOpen + "Table header is cut off\n");
  EXPECT_EQ(CheckFailure(patched(kDataStartOffset, 25)), cannotOpen + "Field descriptors do not end at the data start\n");
  EXPECT_EQ(CheckFailure(patched(kDataStartOffset, 1 << 20)), cannotOpen + "Field descriptors do not end at the data start\n");
  EXPECT_EQ(CheckFailure(withByte(0, 16)), cannotOpen + "Table title is longer than 15 characters\n");
  EXPECT_EQ(CheckFailure(withByte(kHeaderSize, 11)), cannotOpen + "Field name is longer than 10 characters\n");
  EXPECT_EQ(CheckFailure(patched(kIndexStartOffset, -8)), cannotOpen + "Stream read error\n");
  const size_t record0 = static_cast<size_t>(GetInt32(sound, kDataStartOffset));
  EXPECT_EQ(CheckFailure(patched(record0 + 8, -2)), cannotOpen + "Out of memory while expanding memory stream\n");
  EXPECT_EQ(CheckFailure(withByte(record0 + 4, 200)), cannotOpen + "Stream read error\n");
  EXPECT_EQ(CheckFailure(patched(RecordOffsetEntry(sound, 0), -1)), cannotOpen + "Stream read error\n");
}

TEST_F(DtfCheck, DamagedLaterRecordsAreEachReported) {
  std::vector<uint8_t> image = ThreeRecords().Build();
  DamageRecord(image, 1);
  DamageRecord(image, 2);
  EXPECT_EQ(CheckFailure(image), "x.dtf: record 1: Stream read error\nx.dtf: record 2: Stream read error\n");
}

TEST_F(DtfCheck, KeysOutOfOrderAreReported) {
  TableImageBuilder table("Order");
  table.Field("K", kIntegerType, 1).Record({1}).Record({3}).Record({2}).Record({2});
  EXPECT_EQ(CheckFailure(table.Build()), "x.dtf: record 2: its key is below that of record 1 (the keys must ascend)\n");
}

TEST_F(DtfCheck, ValuesWithoutTextAreReported) {
  TableImageBuilder table("Dates");
  table.Field("K", kIntegerType, 1).Field("D", kDateTimeType).Record({1, 1e12});
  EXPECT_EQ(CheckFailure(table.Build()), "x.dtf: record 0, field 1 'D': Invalid argument to date encode\n");
}

TEST_F(DtfCheck, DumpOfAMalformedTableFailsWithItsReason) {
  std::vector<uint8_t> image = ThreeRecords().Build();
  DamageRecord(image, 2);
  WriteImage(image);
  DtfRun run = RunDtf(folder_, "dump x.dtf");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "dtf: x.dtf: record 2: Stream read error\n");
  image[0] = 200;
  WriteImage(image);
  run = RunDtf(folder_, "dump x.dtf");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "dtf: x.dtf: cannot open the table: Table title is longer than 15 characters\n");
}

TEST_F(DtfCheck, NoInputCrashesTheTool) {
  const std::vector<uint8_t> sound = ThreeRecords().Build();
  for (size_t size = 0; size < sound.size(); size += 9) {
    WriteImage(std::vector<uint8_t>(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(size)));
    for (const char* command : {"check x.dtf", "dump x.dtf"}) {
      const DtfRun run = RunDtf(folder_, command);
      EXPECT_TRUE(run.Status == 0 || run.Status == 1) << command << " size " << size << ": " << run.Err;
    }
  }
  const DtfRun folder = RunDtf(folder_, "check .");
  EXPECT_EQ(folder.Status, 1);
  EXPECT_EQ(folder.Err, "dtf: . is a folder\n");
  EXPECT_EQ(RunDtf(folder_, "dump missing.dtf").Err, "dtf: cannot open missing.dtf\n");
}

TEST_F(DtfCheck, WrongArgumentsShowTheUsage) {
  for (const char* arguments : {"", "frob", "check", "check a b", "build only.tsv", "dump x.dtf --bogus",
                                "build a.tsv b.dtf --title"}) {
    const DtfRun run = RunDtf(folder_, arguments);
    EXPECT_EQ(run.Status, 2) << arguments;
    EXPECT_NE(run.Err.find("usage:"), std::string::npos) << arguments;
  }
}

}  // namespace
}  // namespace kavu32::testing

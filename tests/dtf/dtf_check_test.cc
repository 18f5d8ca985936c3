// dtf check and dump on sound and malformed tables, and the command line.
#include <gtest/gtest.h>

#include <functional>

#include "dtf_runner.h"
#include "engine/field.h"
#include "engine/table_format.h"

namespace kavu32::testing {
namespace {

TableImageBuilder ThreeRecords() {
  TableImageBuilder table("Three");
  table.Field("K", IntegerType, 1).Field("S", StringType).Field("M", MemoType);
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
  EXPECT_EQ(CheckFailure(std::vector<uint8_t>(sound.begin(), sound.begin() + 20)),
            cannotOpen + "Table header is cut off\n");
  EXPECT_EQ(CheckFailure(patched(DataStartOffset, 25)),
            cannotOpen + "Field descriptors do not end at the data start\n");
  EXPECT_EQ(CheckFailure(patched(DataStartOffset, 1 << 20)),
            cannotOpen + "Field descriptors do not end at the data start\n");
  EXPECT_EQ(CheckFailure(withByte(0, 16)), cannotOpen + "Table title is longer than 15 characters\n");
  EXPECT_EQ(CheckFailure(withByte(HeaderSize, 11)), cannotOpen + "Field name is longer than 10 characters\n");
  EXPECT_EQ(CheckFailure(patched(IndexStartOffset, -8)), cannotOpen + "Stream read error\n");
  const size_t record0 = static_cast<size_t>(GetInt32(sound, DataStartOffset));
  EXPECT_EQ(CheckFailure(patched(record0 + 8, -2)),
            cannotOpen + "Out of memory while expanding memory stream\n");
  EXPECT_EQ(CheckFailure(withByte(record0 + 4, 200)), cannotOpen + "Stream read error\n");
  EXPECT_EQ(CheckFailure(patched(RecordOffsetEntry(sound, 0), -1)), cannotOpen + "Stream read error\n");
}

// Files the engine reads without complaint, but that dtf build never
// writes: each is named and fails the check.
TEST_F(DtfCheck, LayoutsThatBuildNeverWritesAreReported) {
  const std::vector<uint8_t> sound = ThreeRecords().Build();
  const size_t dataStart = static_cast<size_t>(GetInt32(sound, DataStartOffset));
  const size_t indexStart = static_cast<size_t>(GetInt32(sound, IndexStartOffset));
  const size_t record1 = static_cast<size_t>(GetInt32(sound, indexStart + 4));
  const size_t lastRecord = static_cast<size_t>(GetInt32(sound, indexStart + 8));
  struct Case {
    const char* What;
    std::function<void(std::vector<uint8_t>&)> Change;
    std::string Message;
  };
  const std::vector<Case> cases = {
      {"last 3 bytes cut", [](auto& image) { image.resize(image.size() - 3); },
       "the record list ends with a partial entry of 1 of its 4 bytes: the file looks truncated"},
      {"index start past the end", [](auto& image) { PutInt32(image, IndexStartOffset, 1000); },
       "the index start 1000 lies past the end of the file (" + std::to_string(sound.size()) +
           " bytes): the file looks truncated"},
      {"last entry cut", [](auto& image) { image.resize(image.size() - 4); },
       "the record area holds " + std::to_string(indexStart - dataStart) +
           " bytes, but the records the record list points to take " +
           std::to_string(lastRecord - dataStart) +
           ": bytes that belong to no record, or a record listed twice"},
      {"bytes after the title", [](auto& image) { image[TitleBlockSize - 1] = 'x'; },
       "the title block holds bytes after the title"},
      {"bytes after a field name", [](auto& image) { image[HeaderSize + NameBlockSize - 1] = 'x'; },
       "field descriptor 0 holds bytes after its name"},
      {"one record listed twice",
       [&](auto& image) { PutInt32(image, indexStart + 8, static_cast<int32_t>(record1)); },
       "the record area holds " + std::to_string(indexStart - dataStart) +
           " bytes, but the records the record list points to take " +
           std::to_string(lastRecord - dataStart + lastRecord - record1) +
           ": bytes that belong to no record, or a record listed twice"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = sound;
    c.Change(image);
    EXPECT_EQ(CheckFailure(image), "x.dtf: " + c.Message + "\n") << c.What;
  }

  // Two records of one size, stored in the other order and listed in key
  // order.
  TableImageBuilder pair("Pair");
  std::vector<uint8_t> swapped = pair.Field("K", IntegerType, 1).Record({1}).Record({2}).Build();
  const size_t first = static_cast<size_t>(GetInt32(swapped, DataStartOffset));
  std::swap(swapped[first], swapped[first + 4]);
  PutInt32(swapped, RecordOffsetEntry(swapped, 0), static_cast<int32_t>(first + 4));
  PutInt32(swapped, RecordOffsetEntry(swapped, 1), static_cast<int32_t>(first));
  EXPECT_EQ(CheckFailure(swapped),
            "x.dtf: the records are not stored back to back in record-list order from the "
            "data start (first difference at byte " +
                std::to_string(first) + ")\n");
}

TEST_F(DtfCheck, DamagedLaterRecordsAreEachReported) {
  std::vector<uint8_t> image = ThreeRecords().Build();
  DamageRecord(image, 1);
  DamageRecord(image, 2);
  EXPECT_EQ(CheckFailure(image), "x.dtf: record 1: Stream read error\nx.dtf: record 2: Stream read error\n");
}

TEST_F(DtfCheck, KeysOutOfOrderAreReported) {
  TableImageBuilder table("Order");
  table.Field("K", IntegerType, 1).Record({1}).Record({3}).Record({2}).Record({2});
  EXPECT_EQ(CheckFailure(table.Build()),
            "x.dtf: record 2: its key is below that of record 1 (the keys must ascend)\n");
}

TEST_F(DtfCheck, ValuesWithoutTextAreReported) {
  TableImageBuilder table("Dates");
  table.Field("K", IntegerType, 1).Field("D", DateTimeType).Record({1, 1e12});
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

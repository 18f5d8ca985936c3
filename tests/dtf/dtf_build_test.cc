// dtf build and dump: sources to tables and back, byte for byte.
#include <gtest/gtest.h>

#include "dtf_runner.h"
#include "engine/table.h"

namespace kavu32::testing {
namespace {

// Every type, escapes, records out of key order, blobs as hex and as files.
constexpr const char* EverySource =
    "Key:int:key\tName:string\tOn:bool\tRate:float\tWhen:datetime\tData:blob\tText:memo\tPicture:graphic\n"
    "30\tthirty\ttrue\t0.1\t1992-06-19\t0xff00\tline\\none\\ttab\t@picture.bin\n"
    "-5\t\tfalse\t-1e+300\t1992-06-19 18:30:05\t\t\\\\back\\x01\t\n"
    "10\tt\\xe9st\t7\tinf\t33774.123\t@picture.bin\t\t0x00\n";

class DtfBuild : public ::testing::Test {
 protected:
  DtfRun Dtf(const std::string& arguments) { return RunDtf(folder_, arguments); }
  std::string File(const std::string& name) { return ReadFileText(folder_.Path() + name); }
  void Write(const std::string& name, const std::string& bytes) {
    WriteFileText(folder_.Path() + name, bytes);
  }

  // Builds name.tsv into name.dtf and expects success.
  void Build(const std::string& name, const std::string& options = "--title T") {
    const DtfRun run = Dtf("build " + name + ".tsv " + name + ".dtf " + options);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
  }

  std::string Dump(const std::string& name, const std::string& options = "") {
    const DtfRun run = Dtf("dump " + name + ".dtf " + options);
    EXPECT_EQ(run.Status, 0) << run.Err;
    return run.Out;
  }

  // The failure message of building source.
  std::string BuildError(const std::string& source, const std::string& options = "--title T") {
    Write("bad.tsv", source);
    const DtfRun run = Dtf("build bad.tsv bad.dtf " + options);
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "bad.dtf"));
    return run.Err;
  }

  FixtureFolder folder_;
};

TEST_F(DtfBuild, BuildDumpBuildRoundTripsByteForByte) {
  Write("picture.bin", "\x01\x02\x00\x03"s);
  Write("a.tsv", EverySource);
  Build("a", "--title Everything");
  Write("b.tsv", Dump("a"));
  Build("b", "");  // the title comes from the dump
  EXPECT_EQ(File("a.dtf"), File("b.dtf"));
  EXPECT_EQ(Dump("b"), Dump("a"));
  // Blobs written out as files read back the same.
  Write("c.tsv", Dump("a", "--blobs blobs"));
  Build("c", "");
  EXPECT_EQ(File("c.dtf"), File("a.dtf"));
  EXPECT_EQ(File("blobs/r2_f7.bin"), "\x01\x02\x00\x03"s);
}

TEST_F(DtfBuild, DumpShowsTitleFieldsAndRecordsInKeyOrder) {
  Write("picture.bin", "PIC");
  Write("a.tsv", EverySource);
  Build("a", "--title Everything");
  const std::string dump = Dump("a");
  EXPECT_EQ(dump.substr(0, dump.find('\n', dump.find('\n') + 1) + 1),
            "#title\tEverything\n"
            "Key:int:key\tName:string\tOn:bool\tRate:float\tWhen:datetime\tData:blob\tText:memo\tPicture:"
            "graphic\n");
  EXPECT_NE(
      dump.find("\n-5\t\tfalse\t-1e+300\t1992-06-19 18:30:05\t\t\\\\back\\x01\t\n10\tt\xe9st\t7\tinf\t"),
      std::string::npos)
      << dump;
  EXPECT_NE(dump.find("\n30\tthirty\ttrue\t0.1\t1992-06-19\t0xff00\tline\\none\\ttab\t0x504943\n"),
            std::string::npos)
      << dump;
}

TEST_F(DtfBuild, TablesOfTheTestBuilderRoundTrip) {
  TableImageBuilder table("Builder");
  table.Field("Y", IntegerType, 1).Field("N", StringType, 1).Field("Memo", MemoType).Field("F", FloatType);
  table.Record({1990, "b"s, "x\ny"s, 0.5})
      .Record({1992, "a"s, ""s, -0.0})
      .Record({1992, "c"s, "\r\n"s, 1e-300});
  folder_.WriteTable("builder.dtf", table);
  Write("builder.tsv", Dump("builder"));
  Build("builder", "");
  EXPECT_EQ(File("builder.dtf"),
            std::string(reinterpret_cast<const char*>(table.Build().data()), table.Build().size()));
}

TEST_F(DtfBuild, RecordsAreSortedWithTheEnginesComparison) {
  Write("s.tsv", "Name:string:key\tN:int\nb\t1\nB\t2\n\t3\nab\t4\na\t5\n\xe9\t6\n");
  Build("s");
  EXPECT_EQ(Dump("s"), "#title\tT\nName:string:key\tN:int\n\t3\nB\t2\na\t5\nab\t4\nb\t1\n\xe9\t6\n");
  const std::string image = File("s.dtf");
  TsTable table(reinterpret_cast<const uint8_t*>(image.data()), static_cast<int32_t>(image.size()));
  table.Open();
  const TsKeyValue ab = TsKeyValue::OfShortString("ab");
  ASSERT_TRUE(table.FindKey(std::span(&ab, 1)));
  EXPECT_EQ(table.Fields(1).AsInteger(), 4);
}

TEST_F(DtfBuild, KeysOfSeveralFieldsAndTablesWithoutAKey) {
  Write("k.tsv", "Y:int:key\tM:int:key\tT:string\n2\t1\ta\n1\t9\tb\n1\t2\tc\n");
  Build("k");
  EXPECT_EQ(Dump("k"), "#title\tT\nY:int:key\tM:int:key\tT:string\n1\t2\tc\n1\t9\tb\n2\t1\ta\n");
  // Without a key, the records keep their order and may repeat.
  Write("n.tsv", "A:int\tB:string\n2\tx\n1\ty\n2\tx\n");
  Build("n");
  EXPECT_EQ(Dump("n"), "#title\tT\nA:int\tB:string\n2\tx\n1\ty\n2\tx\n");
}

TEST_F(DtfBuild, DuplicateKeysAreRefusedUnlessAllowed) {
  const std::string source = "K:int:key\tV:string\n2\tfirst\n1\tone\n2\tsecond\n";
  EXPECT_EQ(BuildError(source),
            "dtf: bad.tsv:4:1: duplicate key: line 2 has the same key (allow it with "
            "--allow-duplicates)\n");
  Write("d.tsv", source);
  Build("d", "--title T --allow-duplicates");
  EXPECT_EQ(Dump("d"), "#title\tT\nK:int:key\tV:string\n1\tone\n2\tfirst\n2\tsecond\n");
}

TEST_F(DtfBuild, TablesWithoutFieldsOrRecords) {
  Write("e.tsv", "K:int:key\tM:memo\n");
  Build("e");
  EXPECT_EQ(Dump("e"), "#title\tT\nK:int:key\tM:memo\n");
  Write("z.tsv", "\n\n\n");
  Build("z");
  EXPECT_EQ(Dump("z"), "#title\tT\n\n\n\n");
  Write("z2.tsv", Dump("z"));
  Build("z2", "");
  EXPECT_EQ(File("z2.dtf"), File("z.dtf"));
}

TEST_F(DtfBuild, SourceErrorsNameLineAndColumn) {
  const std::string header = "K:int:key\tS:string\n";
  EXPECT_EQ(BuildError(header + "1\tok\nx1\tbad\n"), "dtf: bad.tsv:3:1: 'x1' is not an integer\n");
  EXPECT_EQ(BuildError(header + "99999999999\ta\n"),
            "dtf: bad.tsv:2:1: '99999999999' lies outside the 32-bit integer range\n");
  EXPECT_EQ(BuildError(header + "\ta\n"), "dtf: bad.tsv:2:1: empty cell: an int field needs a value\n");
  EXPECT_EQ(BuildError(header + "1\tab\\qc\n"),
            "dtf: bad.tsv:2:5: unknown escape \\q (use \\n \\t \\r \\\\ or \\xHH)\n");
  EXPECT_EQ(BuildError(header + "1\tab\\\n"),
            "dtf: bad.tsv:2:5: a backslash ends the cell (write \\\\ for one)\n");
  EXPECT_EQ(BuildError(header + "1\ta\textra\n"),
            "dtf: bad.tsv:2:5: 3 cells, but the header declares 2 fields\n");
  EXPECT_EQ(BuildError(header + "1\n"), "dtf: bad.tsv:2:2: 1 cells, but the header declares 2 fields\n");
  EXPECT_EQ(BuildError(header + "1\t" + std::string(256, 'x') + "\n"),
            "dtf: bad.tsv:2:3: a string holds at most 255 bytes\n");
  EXPECT_EQ(
      BuildError("K:int:key\tS:text\n"),
      "dtf: bad.tsv:1:13: unknown type 'text' (bool, int, float, string, datetime, blob, memo or graphic)\n");
  EXPECT_EQ(BuildError("K:int:key\tNoType\n"),
            "dtf: bad.tsv:1:11: 'NoType' is not NAME:TYPE or NAME:TYPE:key\n");
  EXPECT_EQ(BuildError("ElevenChars:int:key\n"), "dtf: bad.tsv:1:1: a field name holds at most 10 bytes\n");
  EXPECT_EQ(BuildError(""), "dtf: bad.tsv:1:1: no field declarations (NAME:TYPE or NAME:TYPE:key)\n");
  EXPECT_EQ(BuildError("K:int:key\n1\n", ""),
            "dtf: bad.tsv: no title: give --title TITLE or a #title line\n");
  EXPECT_EQ(BuildError("K:int:key\n", "--title SixteenCharacters"),
            "dtf: bad.tsv:1:1: a title holds at most 15 bytes\n");
  EXPECT_EQ(BuildError("B:blob\nxyz\n"),
            "dtf: bad.tsv:2:1: a blob or graphic cell is empty, @PATH or 0x followed by hex digits\n");
  EXPECT_EQ(BuildError("B:blob\n@missing.bin\n"), "dtf: bad.tsv:2:1: cannot read the file missing.bin\n");
  EXPECT_EQ(BuildError("D:datetime\n1992-02-30\n"),
            "dtf: bad.tsv:2:1: '1992-02-30' is not a valid date and time\n");
  EXPECT_EQ(BuildError("K:int\tD:datetime\n1\t1e308\n"),
            "dtf: bad.tsv:2:3: the day count 1e+308 is no date in the years 1 to 9999\n");
  EXPECT_EQ(BuildError("F:float:key\nnan\n"),
            "dtf: bad.tsv:2:1: a key value cannot be nan: it has no order\n");
}

TEST_F(DtfBuild, AFlaggedFieldOutsideTheKeyRunIsRefused) {
  EXPECT_EQ(BuildError("K:int:key\tS:string\tC:int:key\n"),
            "dtf: bad.tsv:1:20: field 'C' cannot be a key field: the key is the leading run of key fields, "
            "of types bool, int, float, string and datetime\n");
  EXPECT_NE(BuildError("M:memo:key\n").find("field 'M' cannot be a key field"), std::string::npos);
}

TEST_F(DtfBuild, AFailedBuildLeavesTheOldTableAndNoTemporaryFile) {
  Write("t.tsv", "K:int:key\n1\n");
  Build("t");
  const std::string before = File("t.dtf");
  Write("t.tsv", "K:int:key\n1\nnot a number\n");
  EXPECT_EQ(Dtf("build t.tsv t.dtf --title T").Status, 1);
  EXPECT_EQ(File("t.dtf"), before);
  Write("t.tsv", "K:int:key\n2\n");
  Build("t");
  EXPECT_NE(File("t.dtf"), before);
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
}

TEST_F(DtfBuild, CarriageReturnsBeforeLineFeedsAreIgnored) {
  Write("w.tsv", "K:int:key\tS:string\r\n1\tone\r\n");
  Build("w");
  EXPECT_EQ(Dump("w"), "#title\tT\nK:int:key\tS:string\n1\tone\n");
}

}  // namespace
}  // namespace kavu32::testing

// Malformed images: each fails with a kavu32::Error, never reads outside
// the image and never loops.
#include <gtest/gtest.h>

#include "engine/engine_errors.h"
#include "engine_fixture.h"

namespace kavu32::testing {
namespace {

// Every field type, with key, texts and blobs, in three records.
std::vector<uint8_t> FullImage() {
  TableImageBuilder builder("Full");
  builder.Field("K", kIntegerType, 1).Field("S", kStringType, 1).Field("B", kBooleanType).Field("F", kFloatType);
  builder.Field("D", kDateTimeType).Field("L", kBlobType).Field("M", kMemoType).Field("G", kGraphicType);
  builder.Record({1, "one"s, true, 1.5, 33774.0, "blob"s, "memo"s, ""s});
  builder.Record({2, ""s, false, -2.0, 0.5, ""s, "m"s, "gr"s});
  builder.Record({3, "three"s, int32_t{9}, 1e10, -1.0, "b"s, ""s, "g"s});
  return builder.Build();
}

std::string OpenError(std::vector<uint8_t> image) {
  TableOverImage table(std::move(image));
  return RaisedMessage([&] { table.Table.Open(); });
}

std::vector<uint8_t> Resized(std::vector<uint8_t> image, size_t size) {
  image.resize(size);
  return image;
}

TEST(MalformedImage, HeaderShorterThan24Bytes) {
  for (size_t size : {0, 1, 16, 23}) {
    EXPECT_EQ(OpenError(Resized(FullImage(), size)), kHeaderCutOff) << size;
  }
  TsTable nothing(nullptr, 0);
  EXPECT_EQ(RaisedMessage([&] { nothing.Open(); }), kHeaderCutOff);
  TsTable negative(nullptr, -5);
  EXPECT_EQ(RaisedMessage([&] { negative.Open(); }), kStreamReadError);
}

TEST(MalformedImage, DataStartNotAtTheEndOfTheDescriptors) {
  std::vector<uint8_t> image = FullImage();
  for (int32_t dataStart : {23, 0, -13, 24 + 12, 24 + 13 * 8 + 1, static_cast<int32_t>(image.size()) + 13}) {
    std::vector<uint8_t> bad = image;
    PutInt32(bad, kDataStartOffset, dataStart);
    EXPECT_EQ(OpenError(bad), kBadDataStart) << dataStart;
  }
}

TEST(MalformedImage, TitleOrFieldNameTooLong) {
  std::vector<uint8_t> title = FullImage();
  title[0] = 16;
  TableOverImage table(title);
  EXPECT_EQ(RaisedMessage([&] { table.Table.Open(); }), kTitleTooLong);
  EXPECT_EQ(table.Table.Title().size(), 15u);
  std::vector<uint8_t> name = FullImage();
  name[kHeaderSize + kDescriptorSize] = 11;  // the second descriptor
  TableOverImage named(name);
  EXPECT_EQ(RaisedMessage([&] { named.Table.Open(); }), kFieldNameTooLong);
  EXPECT_EQ(named.Table.FieldCount(), 1);  // the first field stays readable
}

TEST(MalformedImage, ValuesCutOffByTheEndOfTheImage) {
  // One record whose last value is cut: a string length, string characters,
  // a blob length, blob bytes.
  struct Case {
    uint8_t Type;
    Cell Value;
    size_t Cut;
  };
  for (const Case& c : {Case{kStringType, "abc"s, 1}, Case{kStringType, "abc"s, 3}, Case{kBlobType, "abc"s, 2},
                        Case{kBlobType, "abc"s, 6}, Case{kIntegerType, 5, 2}, Case{kFloatType, 1.0, 7}}) {
    TableImageBuilder builder("Cut");
    builder.Field("K", kIntegerType, 1).Field("V", c.Type).Record({1, c.Value});
    std::vector<uint8_t> image = builder.Build();
    // Records, then the offsets moved to sit at the start; the record is
    // the last thing in the image, cut c.Cut bytes into its value.
    const size_t record = static_cast<size_t>(GetInt32(image, kDataStartOffset));
    std::vector<uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(record));
    PutInt32(cut, kIndexStartOffset, static_cast<int32_t>(cut.size()));
    const int32_t recordAt = static_cast<int32_t>(cut.size()) + 4;
    cut.resize(cut.size() + 4);
    PutInt32(cut, cut.size() - 4, recordAt);
    cut.insert(cut.end(), image.begin() + static_cast<std::ptrdiff_t>(record),
               image.begin() + static_cast<std::ptrdiff_t>(record + 4 + c.Cut));
    // The offset list now holds two entries: the record and its own first
    // four bytes; only the first matters for Open.
    EXPECT_EQ(OpenError(cut), kStreamReadError) << int{c.Type} << " cut " << c.Cut;
  }
}

TEST(MalformedImage, NegativeBlobLength) {
  TableImageBuilder builder("Neg");
  builder.Field("K", kIntegerType, 1).Field("M", kMemoType).Record({1, "abcd"s});
  std::vector<uint8_t> image = builder.Build();
  PutInt32(image, static_cast<size_t>(GetInt32(image, kDataStartOffset)) + 4, -1);
  EXPECT_EQ(OpenError(image), kOutOfMemoryInStream);
}

TEST(MalformedImage, NegativeIndexStart) {
  std::vector<uint8_t> image = FullImage();
  PutInt32(image, kIndexStartOffset, -4);
  EXPECT_EQ(OpenError(image), kStreamReadError);
}

TEST(MalformedImage, RecordOffsetsOutsideTheImage) {
  for (int32_t offset : {-1, -100000, 1 << 30}) {
    std::vector<uint8_t> first = FullImage();
    PutInt32(first, RecordOffsetEntry(first, 0), offset);
    EXPECT_EQ(OpenError(first), kStreamReadError) << offset;
    // A later record fails only when a search reaches it.
    std::vector<uint8_t> later = FullImage();
    PutInt32(later, RecordOffsetEntry(later, 1), offset);
    OpenTable open(std::move(later));
    EXPECT_EQ(RaisedMessage([&] { open.Table.FindKey(2); }), kStreamReadError);
    EXPECT_EQ(open.Table.RecordNo(), 0);
  }
}

// Reads everything a reader could: every key searched, every field of the
// found record converted and copied. Only kavu32::Error may escape.
void ExerciseImage(const std::vector<uint8_t>& image) {
  TableOverImage table(image);
  try {
    table.Table.Open();
  } catch (const Error&) {
    return;
  }
  for (int32_t key : {0, 1, 2, 3, 4}) {
    try {
      if (!table.Table.FindKey(key)) continue;
      for (int i = 0; i < table.Table.FieldCount(); ++i) {
        TsField& field = table.Table.Fields(i);
        TMemoryStream copy;
        field.WriteValue(copy);
        try {
          field.AsString();
        } catch (const Error&) {
        }
      }
    } catch (const Error&) {
    }
  }
}

TEST(MalformedImage, EveryTruncationAndByteChangeFailsCleanly) {
  const std::vector<uint8_t> image = FullImage();
  for (size_t size = 0; size <= image.size(); ++size) {
    ASSERT_NO_FATAL_FAILURE(ExerciseImage(Resized(image, size))) << size;
  }
  for (size_t at = 0; at < image.size(); ++at) {
    for (uint8_t byte : {0x00, 0x01, 0x0B, 0x7F, 0x80, 0xFF}) {
      std::vector<uint8_t> changed = image;
      changed[at] = byte;
      ExerciseImage(changed);
    }
  }
}

}  // namespace
}  // namespace kavu32::testing

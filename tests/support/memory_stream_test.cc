// The growable byte buffer: reads, writes, sizes, copies and attached blocks.
#include <malloc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/error.h"
#include "support/memory_stream.h"
#include "testing/raised_message.h"

namespace {

// realloc refuses this size, as a system short of memory would.
size_t refusedSize = 0;
// The size the last realloc asked for.
size_t lastAsked = 0;

}  // namespace

// realloc here always moves the block, and fills the block it leaves with
// 0xEE before freeing it: a stream that went on reading its old storage
// after growing reads that, wherever the real allocator would have grown
// the block in place.
extern "C" void* realloc(void* block, size_t size) {
  lastAsked = size;
  if (size == refusedSize) return nullptr;
  void* moved = std::malloc(size);
  if (moved == nullptr || block == nullptr) return moved;
  const size_t held = malloc_usable_size(block);
  std::memcpy(moved, block, std::min(held, size));
  std::memset(block, 0xEE, held);
  std::free(block);
  return moved;
}

namespace {

using kavu32::TMemoryStream;
using kavu32::testing::RaisedMessage;

class AttachedStream : public TMemoryStream {
 public:
  AttachedStream(const uint8_t* block, int64_t size) { AttachBlock(block, size); }
};

std::string Content(const TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void WriteText(TMemoryStream& stream, const std::string& text) {
  stream.Write(text.data(), static_cast<int64_t>(text.size()));
}

TEST(MemoryStreamTest, WritesAdvanceAndReadsBackExactly) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  WriteText(stream, "def");
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(stream.Position(), 6);
  stream.Seek(1);
  char part[4] = {};
  stream.ReadBuffer(part, 3);
  EXPECT_STREQ(part, "bcd");
  EXPECT_EQ(stream.Position(), 4);
  stream.Seek(2);
  WriteText(stream, "XYZW");
  EXPECT_EQ(Content(stream), "abXYZW");
}

TEST(MemoryStreamTest, ReadingPastTheEndFailsAndReadsNothing) {
  TMemoryStream stream;
  WriteText(stream, "abcd");
  stream.Seek(2);
  char target[8] = "-------";
  EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(target, 3); }), "Stream read error");
  EXPECT_EQ(stream.Position(), 2);
  EXPECT_STREQ(target, "-------");
  EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(target, -1); }), "Stream read error");
  stream.Seek(100);
  EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(target, 1); }), "Stream read error");
  // Nothing to read never fails, wherever the position.
  stream.ReadBuffer(target, 0);
  EXPECT_EQ(RaisedMessage([&] { stream.Seek(-1); }), "Stream read error");
  EXPECT_EQ(stream.Position(), 100);
}

TEST(MemoryStreamTest, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  WriteText(stream, "ab");
  stream.Seek(5);
  WriteText(stream, "c");
  EXPECT_EQ(Content(stream), std::string("ab\0\0\0c", 6));
}

TEST(MemoryStreamTest, SetSizeKeepsContentZeroesGrowthAndClampsPosition) {
  TMemoryStream stream;
  WriteText(stream, "abcdef");
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_EQ(Content(stream), "abc");
  stream.Seek(1);
  stream.SetSize(5);
  EXPECT_EQ(stream.Position(), 1);
  EXPECT_EQ(Content(stream), std::string("abc\0\0", 5));
}

TEST(MemoryStreamTest, ImpossibleSizesFailAndChangeNothing) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  for (int64_t size : {int64_t{-1}, INT64_MAX, int64_t{1} << 40}) {
    EXPECT_EQ(RaisedMessage([&] { stream.SetSize(size); }), "Out of memory while expanding memory stream");
  }
  EXPECT_EQ(RaisedMessage([&] { stream.Write("x", -1); }), "Out of memory while expanding memory stream");
  stream.Seek(INT64_MAX);
  EXPECT_EQ(RaisedMessage([&] { stream.Write("x", 1); }), "Out of memory while expanding memory stream");
  EXPECT_EQ(Content(stream), "abc");
}

// A stream holds up to INT32_MAX bytes: growing to exactly that asks the
// allocator (which refuses here), one byte more fails without asking.
TEST(MemoryStreamTest, GrowthUpToTheLimitAsksForMemoryAndBeyondDoesNot) {
  constexpr int64_t limit = INT32_MAX;
  const struct {
    int64_t size;
    size_t asked;
  } cases[] = {{limit, size_t{limit}}, {limit + 1, 0}};
  refusedSize = size_t{limit};
  for (const auto& c : cases) {
    TMemoryStream stream;
    lastAsked = 0;
    EXPECT_EQ(RaisedMessage([&] { stream.SetSize(c.size); }), "Out of memory while expanding memory stream");
    EXPECT_EQ(lastAsked, c.asked) << c.size;
    stream.Seek(c.size - 1);
    lastAsked = 0;
    EXPECT_EQ(RaisedMessage([&] { WriteText(stream, "a"); }), "Out of memory while expanding memory stream");
    EXPECT_EQ(lastAsked, c.asked) << c.size;
    EXPECT_EQ(stream.Size(), 0);
  }
  refusedSize = 0;
}

TEST(MemoryStreamTest, ClearReleasesEverything) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(stream.Memory(), nullptr);
  WriteText(stream, "d");
  EXPECT_EQ(Content(stream), "d");
}

TEST(MemoryStreamTest, CopyFromTakesCountFromPositionOrAllFromStart) {
  TMemoryStream source;
  WriteText(source, "hello world");
  source.Seek(6);
  TMemoryStream target;
  WriteText(target, ">");
  target.CopyFrom(source, 5);
  EXPECT_EQ(Content(target), ">world");
  EXPECT_EQ(source.Position(), 11);
  target.CopyFrom(source, 0);
  EXPECT_EQ(Content(target), ">worldhello world");
  source.Seek(8);
  EXPECT_EQ(RaisedMessage([&] { target.CopyFrom(source, 4); }), "Stream read error");
  EXPECT_EQ(source.Position(), 8);
  EXPECT_EQ(target.Size(), 17);
}

TEST(MemoryStreamTest, CopyFromItselfSurvivesGrowth) {
  TMemoryStream stream;
  std::string text(1000, 'q');
  WriteText(stream, text);
  stream.CopyFrom(stream, 0);
  EXPECT_EQ(Content(stream), text + text);
}

TEST(MemoryStreamTest, SaveToAppendsWholeContentAtTargetPosition) {
  TMemoryStream source;
  WriteText(source, "xyz");
  source.Seek(2);
  TMemoryStream target;
  WriteText(target, "12345");
  target.Seek(1);
  source.SaveTo(target);
  EXPECT_EQ(Content(target), "1xyz5");
  EXPECT_EQ(target.Position(), 4);
  TMemoryStream empty;
  empty.SaveTo(target);
  EXPECT_EQ(target.Position(), 4);
}

TEST(MemoryStreamTest, AttachedBlockIsReadInPlaceAndNeverWritten) {
  const uint8_t block[4] = {1, 2, 3, 4};
  AttachedStream stream(block, sizeof block);
  EXPECT_EQ(stream.Memory(), block);
  EXPECT_EQ(stream.Size(), 4);
  stream.Seek(1);
  uint16_t value = 0;
  stream.ReadBuffer(&value, 2);
  EXPECT_EQ(std::memcmp(&value, block + 1, 2), 0);
  EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(&value, 2); }), "Stream read error");
  EXPECT_EQ(RaisedMessage([&] { stream.Write("z", 1); }), "Stream write error");
  EXPECT_EQ(RaisedMessage([&] { stream.SetSize(2); }), "Stream write error");
  TMemoryStream other;
  WriteText(other, "zz");
  EXPECT_EQ(RaisedMessage([&] { other.SaveTo(stream); }), "Stream write error");
  EXPECT_EQ(block[0] + block[1] + block[2] + block[3], 10);
  EXPECT_EQ(stream.Size(), 4);
  // An attached block copies out like any other.
  TMemoryStream copy;
  copy.CopyFrom(stream, 0);
  EXPECT_EQ(Content(copy), std::string("\1\2\3\4", 4));
  // Clearing lets the block go; the stream then owns new storage.
  stream.Clear();
  WriteText(stream, "own");
  EXPECT_EQ(Content(stream), "own");
  EXPECT_NE(stream.Memory(), block);
}

TEST(MemoryStreamTest, EmptyAttachedBlockHasNothingToRead) {
  const uint8_t block[1] = {9};
  AttachedStream stream(block, 0);
  uint8_t value = 0;
  EXPECT_EQ(RaisedMessage([&] { stream.ReadBuffer(&value, 1); }), "Stream read error");
  EXPECT_EQ(value, 0);
}

// Short of memory for growing by half, a stream grows by what it needs,
// and grows again when that is used up.
TEST(MemoryStreamTest, GrowthShortOfMemoryKeepsTheCapacityItGot) {
  TMemoryStream stream;
  stream.SetSize(1000);
  stream.Seek(1000);
  refusedSize = 1500;
  WriteText(stream, "a");
  refusedSize = 0;
  lastAsked = 0;
  WriteText(stream, std::string(400, 'b'));
  EXPECT_GE(lastAsked, 1401u);
  EXPECT_EQ(Content(stream), std::string(1000, '\0') + "a" + std::string(400, 'b'));
}

}  // namespace

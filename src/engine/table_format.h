// The layout of a .dtf table image: a 24-byte header (title block, data
// start, index start), 13-byte field descriptors, the records, and the
// record-offset list. Little-endian, unaligned, absolute offsets. Every
// reader of a record's values (the field objects, the key search and its
// integer fast path) finds them with StoredValueAt or StoredIntegerAt.
#ifndef KAVU32_ENGINE_TABLE_FORMAT_H
#define KAVU32_ENGINE_TABLE_FORMAT_H

#include <bit>
#include <cstdint>
#include <cstring>

#include "support/error.h"

namespace kavu32 {

static_assert(std::endian::native == std::endian::little,
              "table images are read with native little-endian loads");

inline constexpr int TitleBlockSize = 16;
inline constexpr int DataStartOffset = 16;
inline constexpr int IndexStartOffset = 20;
inline constexpr int HeaderSize = 24;

inline constexpr int DescriptorSize = 13;
inline constexpr int NameBlockSize = 11;

inline constexpr int MaxTitleLength = TitleBlockSize - 1;
inline constexpr int MaxFieldNameLength = NameBlockSize - 1;
inline constexpr int MaxStringLength = 255;

inline constexpr int RecordOffsetSize = 4;
inline constexpr int BlobLengthSize = 4;

// Bit 0 of a descriptor's key flag puts the field in the key.
inline constexpr uint8_t KeyFlagBit = 1;

// Type codes of the .dtf format.
enum TypeCode : uint8_t {
  BooleanType = 0,
  IntegerType = 1,
  FloatType = 2,
  StringType = 3,
  DateTimeType = 4,
  BlobType = 5,
  MemoType = 6,
  GraphicType = 7,
};

// True for the codes 0 to 7, the ones that make a field.
inline bool IsFieldType(uint8_t code) { return code <= GraphicType; }
// True for the codes 0 to 4, the ones a key field may have.
inline bool IsKeyableType(uint8_t code) { return code <= DateTimeType; }

// One value inside a record: its stored form (a string's with the length
// byte, a blob's without its length) and the offset where the next value
// starts.
struct StoredValue {
  const uint8_t* Bytes;
  int64_t Size;
  int64_t End;
};

// Fails with "Stream read error" unless the count bytes from offset from
// lie wholly inside an image of size bytes; count is never negative, so a
// start past the end fails too.
inline void RequireInside(int64_t size, int64_t from, int64_t count) {
  if (from < 0 || count > size - from) throw Error(StreamReadError);
}

// The integer stored at offset at: the one read of the key search's
// integer fast path, small enough to sit inside its probe.
inline int32_t StoredIntegerAt(const uint8_t* image, int64_t size, int64_t at) {
  RequireInside(size, at, 4);
  int32_t value;
  std::memcpy(&value, image + at, sizeof value);
  return value;
}

// The value of typeCode that starts at offset at of the size bytes at
// image: a boolean in 1 byte, an integer in 4, a float or date-time in 8; a
// string as a length byte and that many characters; a blob, memo or
// graphic as a 4-byte signed length and that many bytes. Fails with
// "Stream read error" when the value does not lie wholly inside the image,
// and with "Out of memory while expanding memory stream" for a negative
// blob length.
inline StoredValue StoredValueAt(const uint8_t* image, int64_t size, int64_t at, uint8_t typeCode) {
  switch (typeCode) {
    case BooleanType:
      RequireInside(size, at, 1);
      return {image + at, 1, at + 1};
    case IntegerType:
      RequireInside(size, at, 4);
      return {image + at, 4, at + 4};
    case FloatType:
    case DateTimeType:
      RequireInside(size, at, 8);
      return {image + at, 8, at + 8};
    case StringType: {
      RequireInside(size, at, 1);
      const int64_t stored = 1 + image[at];
      RequireInside(size, at, stored);
      return {image + at, stored, at + stored};
    }
    default: {
      RequireInside(size, at, BlobLengthSize);
      int32_t length;
      std::memcpy(&length, image + at, sizeof length);
      if (length < 0) throw Error(OutOfMemoryInStream);
      const int64_t start = at + BlobLengthSize;
      RequireInside(size, start, length);
      return {image + start, length, start + length};
    }
  }
}

}  // namespace kavu32

#endif

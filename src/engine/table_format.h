// The layout of a .dtf table image: a 24-byte header (title block, data
// start, index start), 13-byte field descriptors, the records, and the
// record-offset list. Little-endian, unaligned, absolute offsets. Every
// reader of a record's values (the field objects, the key search and its
// integer fast path) finds them with StoredValueAt.
#ifndef KAVU32_ENGINE_TABLE_FORMAT_H
#define KAVU32_ENGINE_TABLE_FORMAT_H

#include <bit>
#include <cstdint>
#include <cstring>

#include "support/error.h"

namespace kavu32 {

static_assert(std::endian::native == std::endian::little,
              "table images are read with native little-endian loads");

inline constexpr int kTitleBlockSize = 16;
inline constexpr int kDataStartOffset = 16;
inline constexpr int kIndexStartOffset = 20;
inline constexpr int kHeaderSize = 24;

inline constexpr int kDescriptorSize = 13;
inline constexpr int kNameBlockSize = 11;

inline constexpr int kMaxTitleLength = kTitleBlockSize - 1;
inline constexpr int kMaxFieldNameLength = kNameBlockSize - 1;
inline constexpr int kMaxStringLength = 255;

inline constexpr int kRecordOffsetSize = 4;
inline constexpr int kBlobLengthSize = 4;

// Bit 0 of a descriptor's key flag puts the field in the key.
inline constexpr uint8_t kKeyFlagBit = 1;

// Type codes of the .dtf format.
enum TypeCode : uint8_t {
  kBooleanType = 0,
  kIntegerType = 1,
  kFloatType = 2,
  kStringType = 3,
  kDateTimeType = 4,
  kBlobType = 5,
  kMemoType = 6,
  kGraphicType = 7,
};

// True for the codes 0 to 7, the ones that make a field.
inline bool IsFieldType(uint8_t code) { return code <= kGraphicType; }
// True for the codes 0 to 4, the ones a key field may have.
inline bool IsKeyableType(uint8_t code) { return code <= kDateTimeType; }

// One value inside a record: its stored form (a string's with the length
// byte, a blob's without its length) and the offset where the next value
// starts.
struct StoredValue {
  const uint8_t* Bytes;
  int64_t Size;
  int64_t End;
};

// The value of typeCode that starts at offset at of the size bytes at
// image: a boolean in 1 byte, an integer in 4, a float or date-time in 8; a
// string as a length byte and that many characters; a blob, memo or
// graphic as a 4-byte signed length and that many bytes. Fails with
// "Stream read error" when the value does not lie wholly inside the image,
// and with "Out of memory while expanding memory stream" for a negative
// blob length.
inline StoredValue StoredValueAt(const uint8_t* image, int64_t size, int64_t at, uint8_t typeCode) {
  const auto require = [&](int64_t from, int64_t count) {
    if (from < 0 || from > size || count > size - from) throw Error(kStreamReadError);
  };
  switch (typeCode) {
    case kBooleanType:
      require(at, 1);
      return {image + at, 1, at + 1};
    case kIntegerType:
      require(at, 4);
      return {image + at, 4, at + 4};
    case kFloatType:
    case kDateTimeType:
      require(at, 8);
      return {image + at, 8, at + 8};
    case kStringType: {
      require(at, 1);
      const int64_t stored = 1 + image[at];
      require(at, stored);
      return {image + at, stored, at + stored};
    }
    default: {
      require(at, kBlobLengthSize);
      int32_t length;
      std::memcpy(&length, image + at, sizeof length);
      if (length < 0) throw Error(kOutOfMemoryInStream);
      const int64_t start = at + kBlobLengthSize;
      require(start, length);
      return {image + start, length, start + length};
    }
  }
}

}  // namespace kavu32

#endif

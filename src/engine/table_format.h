// The layout of a .dtf table image: a 24-byte header (title block, data
// start, index start), 13-byte field descriptors, the records, and the
// record-offset list. Little-endian, unaligned, absolute offsets.
#ifndef KAVU32_ENGINE_TABLE_FORMAT_H
#define KAVU32_ENGINE_TABLE_FORMAT_H

#include <bit>
#include <cstdint>

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

}  // namespace kavu32

#endif

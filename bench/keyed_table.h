// The integer-keyed tables the key-search and memory benchmarks share:
// record i has the key 2 * i (so odd keys are absent) and a text of 8 to
// 60 characters, laid out by the engine's own .dtf writer.
#ifndef KAVU32_BENCH_KEYED_TABLE_H
#define KAVU32_BENCH_KEYED_TABLE_H

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "table_writer.h"

namespace kavu32::bench {

inline constexpr int KeyField = 0;
inline constexpr int TextField = 1;

// The key and text of record i of any keyed table.
int32_t KeyOfRecord(int32_t i);
std::string TextOfRecord(int32_t i);

// A "Keyed" table of recordCount records: KEY (integer key), TEXT (string).
dtf::TableContent KeyedTableContent(int32_t recordCount);

// A table with one memo field of memoSize bytes per record, titled title:
// KEY (integer key), MEMO.
dtf::TableContent MemoTableContent(const std::string& title, int32_t recordCount, int32_t memoSize);

// lookups keys drawn at random (fixed seed) from the records' keys, or, when
// absent is set, from the odd numbers between them, which no record has.
std::vector<int32_t> RandomKeys(int32_t recordCount, bool absent, size_t lookups);

// The record-offset list of a .dtf image, as the table copies it.
std::vector<int32_t> RecordOffsetsOf(std::span<const uint8_t> image);

// The key search of the floors, on any image whose records begin with a
// 4-byte integer key: std::lower_bound over a copy of the record offsets,
// the key read through the offset.
class FloorSearch {
 public:
  explicit FloorSearch(std::span<const uint8_t> image)
      : image_(image.data()), offsets_(RecordOffsetsOf(image)) {}

  // The offset of the record of key; -1 when there is none.
  int32_t FindRecord(int32_t key) const;
  const uint8_t* Image() const { return image_; }

 private:
  const uint8_t* image_;
  std::vector<int32_t> offsets_;
};

}  // namespace kavu32::bench

#endif

#include "keyed_table.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "engine/field.h"
#include "engine/table_format.h"

namespace kavu32::bench {

namespace {

constexpr uint32_t Seed = 20261209;

// A cheap, fixed mix of the record number, so that lengths vary without a
// pattern the branch predictor could learn.
uint32_t Mix(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

}  // namespace

int32_t KeyOfRecord(int32_t i) { return 2 * i; }

std::string TextOfRecord(int32_t i) {
  constexpr size_t shortest = 8;
  constexpr size_t longest = 60;
  std::string text = "Record " + std::to_string(i) + ' ';
  const size_t length = shortest + Mix(static_cast<uint32_t>(i)) % (longest - shortest + 1);
  while (text.size() < length) text += static_cast<char>('a' + text.size() % 26);
  text.resize(length);
  return text;
}

dtf::TableContent KeyedTableContent(int32_t recordCount) {
  dtf::TableContent content{"Keyed", {{"KEY", IntegerType, KeyFlagBit}, {"TEXT", StringType}}, {}};
  content.Records.reserve(static_cast<size_t>(recordCount));
  for (int32_t i = 0; i < recordCount; ++i) {
    content.Records.push_back({KeyOfRecord(i), TextOfRecord(i)});
  }
  return content;
}

dtf::TableContent MemoTableContent(const std::string& title, int32_t recordCount, int32_t memoSize) {
  dtf::TableContent content{title, {{"KEY", IntegerType, KeyFlagBit}, {"MEMO", MemoType}}, {}};
  content.Records.reserve(static_cast<size_t>(recordCount));
  for (int32_t i = 0; i < recordCount; ++i) {
    std::string memo = TextOfRecord(i);
    memo.resize(static_cast<size_t>(memoSize), '.');
    content.Records.push_back({KeyOfRecord(i), std::move(memo)});
  }
  return content;
}

std::vector<int32_t> RandomKeys(int32_t recordCount, bool absent, size_t lookups) {
  std::mt19937 random(Seed + static_cast<uint32_t>(absent));
  // An absent key lies between two records, so the last record has none
  // after it.
  std::uniform_int_distribution<int32_t> record(0, absent ? recordCount - 2 : recordCount - 1);
  std::vector<int32_t> keys(lookups);
  for (int32_t& key : keys) key = KeyOfRecord(record(random)) + (absent ? 1 : 0);
  return keys;
}

std::vector<int32_t> RecordOffsetsOf(std::span<const uint8_t> image) {
  int32_t indexStart = 0;
  std::memcpy(&indexStart, image.data() + IndexStartOffset, sizeof indexStart);
  std::vector<int32_t> offsets((image.size() - static_cast<size_t>(indexStart)) / RecordOffsetSize);
  std::memcpy(offsets.data(), image.data() + indexStart, offsets.size() * RecordOffsetSize);
  return offsets;
}

namespace {

int32_t KeyAt(const uint8_t* image, int32_t offset) {
  int32_t key;
  std::memcpy(&key, image + offset, sizeof key);
  return key;
}

}  // namespace

int32_t FloorSearch::FindRecord(int32_t key) const {
  const auto found =
      std::lower_bound(offsets_.begin(), offsets_.end(), key,
                       [this](int32_t offset, int32_t k) { return KeyAt(image_, offset) < k; });
  return found == offsets_.end() || KeyAt(image_, *found) != key ? -1 : *found;
}

}  // namespace kavu32::bench

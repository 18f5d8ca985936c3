// The key search: record keys read straight from the image (the field
// objects are not touched), compared with the search key, and the
// bisection over the record offsets.
#include <algorithm>
#include <cstring>

#include "engine/engine_errors.h"
#include "engine/table.h"
#include "support/error.h"

namespace kavu32 {

namespace {

[[noreturn]] void FailRecordRead() { throw Error(kStreamReadError); }
[[noreturn]] void FailItemIndex() { throw Error(kItemIndexOutOfBounds); }

// The value of a key field of this type code at the stream's position,
// advancing past it.
TsKeyValue ReadKeyItem(TMemoryStream& stream, uint8_t typeCode) {
  switch (typeCode) {
    case kBooleanType: {
      uint8_t stored;
      stream.ReadBuffer(&stored, sizeof stored);
      return TsKeyValue::OfBoolean(stored);
    }
    case kIntegerType: {
      int32_t value;
      stream.ReadBuffer(&value, sizeof value);
      return TsKeyValue::OfInteger(value);
    }
    case kStringType: {
      uint8_t length;
      stream.ReadBuffer(&length, sizeof length);
      if (length > stream.Size() - stream.Position()) FailRecordRead();
      const auto* characters = reinterpret_cast<const char*>(stream.Memory() + stream.Position());
      stream.Seek(stream.Position() + length);
      return TsKeyValue::OfShortString({characters, length});
    }
    default: {  // float and date-time
      double value;
      stream.ReadBuffer(&value, sizeof value);
      return TsKeyValue::OfExtended(value);
    }
  }
}

}  // namespace

void TsTable::RecordKey(int32_t n, std::vector<TsKeyValue>& key) {
  if (!active_) throw Error(kTableIsClosed);
  SeekRecord(record_offsets_.Items(n));
  key.resize(key_types_.size());
  for (size_t i = 0; i < key_types_.size(); ++i) key[i] = ReadKeyItem(*data_stream_, key_types_[i]);
}

bool TsTable::SearchSuitsKey(std::span<const TsKeyValue> search) const {
  const size_t compared = std::min(search.size(), key_types_.size());
  for (size_t i = 0; i < compared; ++i) {
    if (!KindSuitsField(search[i].Kind, key_types_[i])) return false;
  }
  return true;
}

// While more than two candidates are left, the probe lies strictly between
// them and an equal record ends the search. With two left the lower one is
// probed, and the upper one when the key is greater (probing the lower one
// again, as the bisection's last step does, gives the same answer).
template <typename Compare>
TsTable::SearchResult TsTable::Bisect(Compare&& compare) const {
  int32_t low = search_low_;
  int32_t high = search_high_;
  while (high - low >= 2) {
    const int32_t mid = low + (high - low) / 2;
    const int comparison = compare(mid);
    if (comparison == 0) return {mid, 0};
    const bool greater = comparison > 0;
    low = greater ? mid : low;
    high = greater ? high : mid;
  }
  if (high - low != 1) {
    // One candidate, or none (a table without records, whose probe of
    // record 0 fails).
    const auto mid = static_cast<int32_t>((int64_t{low} + high) / 2);
    return {mid, compare(mid)};
  }
  const int comparison = compare(low);
  if (comparison <= 0) return {low, comparison};
  return {high, compare(high)};
}

TsTable::SearchResult TsTable::Search(std::span<const TsKeyValue> search) {
  if (search.empty() || KeyFieldCount() == 0) return {};
  if (search[0].Kind == kIntegerKey && key_types_.size() == 1 && key_types_[0] == kIntegerType) {
    // The common search, one integer on a key of one integer field: each
    // probe is a bounds check, a 4-byte copy and a compare.
    const int32_t wanted = search[0].Integer;
    const int32_t lastKeyOffset = image_size_ - static_cast<int32_t>(sizeof(int32_t));
    // The addresses live in locals: read through the table on every probe,
    // they delay the probe's loads.
    const uint8_t* image = image_;
    const uint8_t* offsets = record_offsets_.Memory();
    const int32_t count = record_offsets_.Count();
    return Bisect([=](int32_t n) {
      if (n < 0 || n >= count) FailItemIndex();
      int32_t offset;
      std::memcpy(&offset, offsets + int64_t{n} * kRecordOffsetSize, sizeof offset);
      if (offset < 0 || offset > lastKeyOffset) FailRecordRead();
      int32_t key;
      std::memcpy(&key, image + offset, sizeof key);
      return key_compare::Order(wanted, key);
    });
  }
  return Bisect([&](int32_t n) {
    RecordKey(n, record_key_);
    return CompareKeys(search, record_key_);
  });
}

bool TsTable::FindKey(std::span<const TsKeyValue> values) {
  if (!active_) throw Error(kTableIsClosed);
  const auto search = values.first(std::min(values.size(), kMaxKeyItems));
  if (!SearchSuitsKey(search)) return false;
  const SearchResult found = Search(search);
  if (found.Comparison != 0) return false;
  GoToRecord(found.RecordNo);
  return true;
}

bool TsTable::FindKey(int32_t key) {
  const TsKeyValue value = TsKeyValue::OfInteger(key);
  return FindKey(std::span(&value, 1));
}

}  // namespace kavu32

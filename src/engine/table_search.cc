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

// With two candidates left the bisection moves to one of them and probes
// it again, so a record that compares equal there is probed twice.
template <typename Compare>
TsTable::SearchResult TsTable::Bisect(Compare&& compare) const {
  int32_t low = search_low_;
  int32_t high = search_high_;
  SearchResult result;
  for (;;) {
    const auto mid = static_cast<int32_t>((int64_t{low} + high) / 2);
    result = {mid, compare(mid)};
    if (low == mid && high != low) {
      if (result.Comparison > 0) {
        low = high;
      } else {
        high = low;
      }
      continue;
    }
    if (result.Comparison == 0) break;
    if (result.Comparison < 0) {
      high = mid;
    } else {
      low = mid;
    }
    if (low == high) break;
  }
  return result;
}

TsTable::SearchResult TsTable::Search(std::span<const TsKeyValue> search) {
  if (search.empty() || KeyFieldCount() == 0) return {};
  if (search[0].Kind == kIntegerKey && key_types_.size() == 1 && key_types_[0] == kIntegerType) {
    // The common search, one integer on a key of one integer field: each
    // probe is a bounds check, a 4-byte copy and a compare.
    const int32_t wanted = search[0].Integer;
    const int32_t lastKeyOffset = image_size_ - static_cast<int32_t>(sizeof(int32_t));
    return Bisect([&](int32_t n) {
      const int32_t offset = record_offsets_.Items(n);
      if (offset < 0 || offset > lastKeyOffset) FailRecordRead();
      int32_t key;
      std::memcpy(&key, image_ + offset, sizeof key);
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

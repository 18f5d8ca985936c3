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

[[noreturn]] void FailItemIndex() { throw Error(ItemIndexOutOfBounds); }

template <typename T>
T Load(const uint8_t* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// The value of a key field of this type code at the stream's position,
// advancing past it.
TsKeyValue ReadKeyItem(TMemoryStream& stream, uint8_t typeCode) {
  const StoredValue value = StoredValueAt(stream.Memory(), stream.Size(), stream.Position(), typeCode);
  stream.Seek(value.End);
  switch (typeCode) {
    case BooleanType:
      return TsKeyValue::OfBoolean(value.Bytes[0]);
    case IntegerType:
      return TsKeyValue::OfInteger(Load<int32_t>(value.Bytes));
    case StringType:
      return TsKeyValue::OfShortString(
          {reinterpret_cast<const char*>(value.Bytes) + 1, static_cast<size_t>(value.Size - 1)});
    default:  // float and date-time
      return TsKeyValue::OfExtended(Load<double>(value.Bytes));
  }
}

}  // namespace

void TsTable::RecordKey(int32_t n, std::vector<TsKeyValue>& key) {
  if (!active_) throw Error(TableIsClosed);
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
  // An integer item has passed SearchSuitsKey only against an integer field.
  if (search[0].Kind == IntegerKey && key_types_.size() == 1) {
    // The common search, one integer on a key of one integer field: each
    // probe is a bounds check, a 4-byte copy and a compare.
    const int32_t wanted = search[0].Integer;
    // The addresses live in locals: read through the table on every probe,
    // they delay the probe's loads.
    const uint8_t* image = image_;
    const int32_t imageSize = image_size_;
    const uint8_t* offsets = record_offsets_.Memory();
    const int32_t count = record_offsets_.Count();
    return Bisect([=](int32_t n) {
      if (n < 0 || n >= count) FailItemIndex();
      const auto offset = Load<int32_t>(offsets + int64_t{n} * RecordOffsetSize);
      return key_compare::Order(wanted, StoredIntegerAt(image, imageSize, offset));
    });
  }
  return Bisect([&](int32_t n) {
    RecordKey(n, record_key_);
    return CompareKeys(search, record_key_);
  });
}

bool TsTable::FindKey(std::span<const TsKeyValue> values) {
  if (!active_) throw Error(TableIsClosed);
  const auto search = values.first(std::min(values.size(), MaxKeyItems));
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

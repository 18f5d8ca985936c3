// Typed key values: what FindKey searches with and what a record's key
// fields hold. Two keys compare item by item under the kind of the search
// item; the first unequal item decides.
#ifndef KAVU32_ENGINE_SEARCH_KEY_H
#define KAVU32_ENGINE_SEARCH_KEY_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace kavu32 {

enum TsKeyKind : uint8_t {
  IntegerKey = 0,
  BooleanKey = 1,
  CharacterKey = 2,
  ExtendedKey = 3,
  ShortStringKey = 4,
  LongTextKey = 11,  // one of the kinds that are never looked at
};

inline constexpr size_t MaxKeyItems = 255;
inline constexpr size_t MaxShortStringLength = 255;

// One key item. Only the member of its kind is meaningful: Integer for
// integers, Byte for booleans and characters, Extended for floats and
// date-times, ShortString (not owned, at most 255 bytes) for strings.
struct TsKeyValue {
  uint8_t Kind = IntegerKey;
  uint8_t Byte{};
  int32_t Integer{};
  double Extended{};
  std::string_view ShortString;

  static TsKeyValue OfKind(uint8_t kind) {
    TsKeyValue value;
    value.Kind = kind;
    return value;
  }
  static TsKeyValue OfInteger(int32_t integer) {
    TsKeyValue value = OfKind(IntegerKey);
    value.Integer = integer;
    return value;
  }
  static TsKeyValue OfBoolean(uint8_t storedByte) {
    TsKeyValue value = OfKind(BooleanKey);
    value.Byte = storedByte;
    return value;
  }
  static TsKeyValue OfCharacter(char character) {
    TsKeyValue value = OfKind(CharacterKey);
    value.Byte = static_cast<uint8_t>(character);
    return value;
  }
  static TsKeyValue OfExtended(double extended) {
    TsKeyValue value = OfKind(ExtendedKey);
    value.Extended = extended;
    return value;
  }
  // Texts longer than 255 bytes are cut to their first 255.
  static TsKeyValue OfShortString(std::string_view text) {
    TsKeyValue value = OfKind(ShortStringKey);
    value.ShortString = text.substr(0, MaxShortStringLength);
    return value;
  }
};

namespace key_compare {

template <typename T>
int Order(T s, T r) {
  return s < r ? -1 : (r < s ? 1 : 0);
}

// Byte by byte, unsigned, over the shorter length; then the shorter is the
// smaller.
inline int OrderStrings(std::string_view s, std::string_view r) {
  const size_t common = std::min(s.size(), r.size());
  const int bytes = common == 0 ? 0 : std::memcmp(s.data(), r.data(), common);
  if (bytes != 0) return std::clamp(bytes, -1, 1);
  return Order(s.size(), r.size());
}

}  // namespace key_compare

// Compares search item s with record item r by the kind of s (that of r is
// not consulted): -1, 0 or +1 as s is smaller, equal or greater. NaNs and
// items of other kinds compare equal.
inline int CompareKeyItems(const TsKeyValue& s, const TsKeyValue& r) {
  switch (s.Kind) {
    case IntegerKey:
      return key_compare::Order(s.Integer, r.Integer);
    case BooleanKey:
    case CharacterKey:
      return key_compare::Order(s.Byte, r.Byte);
    case ExtendedKey:
      return key_compare::Order(s.Extended, r.Extended);
    case ShortStringKey:
      return key_compare::OrderStrings(s.ShortString, r.ShortString);
    default:
      return 0;
  }
}

// Over the items both keys have (at most 255): the first unequal item
// decides; 0 when all are equal.
inline int CompareKeys(std::span<const TsKeyValue> search, std::span<const TsKeyValue> record) {
  const size_t count = std::min({search.size(), record.size(), MaxKeyItems});
  for (size_t i = 0; i < count; ++i) {
    if (const int order = CompareKeyItems(search[i], record[i]); order != 0) return order;
  }
  return 0;
}

// True when a search item of this kind can be compared with a key field of
// this type code: integer with integer, boolean or character with boolean,
// extended with float and date-time, short string with string. Kinds that
// are never looked at suit every field.
bool KindSuitsField(uint8_t kind, uint8_t typeCode);

}  // namespace kavu32

#endif

#include "engine/search_key.h"

#include "engine/field.h"

namespace kavu32 {

bool KindSuitsField(uint8_t kind, uint8_t typeCode) {
  switch (kind) {
    case kIntegerKey:
      return typeCode == kIntegerType;
    case kBooleanKey:
    case kCharacterKey:
      return typeCode == kBooleanType;
    case kExtendedKey:
      return typeCode == kFloatType || typeCode == kDateTimeType;
    case kShortStringKey:
      return typeCode == kStringType;
    default:
      return true;
  }
}

}  // namespace kavu32

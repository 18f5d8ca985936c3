#include "engine/search_key.h"

#include "engine/field.h"

namespace kavu32 {

bool KindSuitsField(uint8_t kind, uint8_t typeCode) {
  switch (kind) {
    case IntegerKey:
      return typeCode == IntegerType;
    case BooleanKey:
    case CharacterKey:
      return typeCode == BooleanType;
    case ExtendedKey:
      return typeCode == FloatType || typeCode == DateTimeType;
    case ShortStringKey:
      return typeCode == StringType;
    default:
      return true;
  }
}

}  // namespace kavu32

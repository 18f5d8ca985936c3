#include "engine/longint_list.h"

#include "engine/engine_errors.h"
#include "support/error.h"

namespace kavu32 {

void TLongintList::FailIndex() { throw Error(ItemIndexOutOfBounds); }

}  // namespace kavu32

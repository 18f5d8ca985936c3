#include "support/error.h"

namespace kavu32 {

Error::Error(const std::string& message) : std::runtime_error(message) {}

// Out of line so that the type's vtable and typeinfo live in the library.
Error::~Error() = default;

}  // namespace kavu32

// The failure texts of the table engine.
#ifndef KAVU32_ENGINE_ENGINE_ERRORS_H
#define KAVU32_ENGINE_ENGINE_ERRORS_H

namespace kavu32 {

inline constexpr const char* TableIsOpen = "Cannot perform this operation on an open table";
inline constexpr const char* TableIsClosed = "Cannot perform this operation on a closed table";
inline constexpr const char* ItemIndexOutOfBounds = "Item index out of bounds";
inline constexpr const char* NotInEditMode = "Table not in Edit mode";

// Malformed images.
inline constexpr const char* HeaderCutOff = "Table header is cut off";
inline constexpr const char* TitleTooLong = "Table title is longer than 15 characters";
inline constexpr const char* BadDataStart = "Field descriptors do not end at the data start";
inline constexpr const char* FieldNameTooLong = "Field name is longer than 10 characters";
inline constexpr const char* MissingBlock = "Cannot attach a missing memory block";

}  // namespace kavu32

#endif

// The failure texts of the table engine.
#ifndef KAVU32_ENGINE_ENGINE_ERRORS_H
#define KAVU32_ENGINE_ENGINE_ERRORS_H

namespace kavu32 {

inline constexpr const char* kTableIsOpen = "Cannot perform this operation on an open table";
inline constexpr const char* kTableIsClosed = "Cannot perform this operation on a closed table";
inline constexpr const char* kItemIndexOutOfBounds = "Item index out of bounds";
inline constexpr const char* kNotInEditMode = "Table not in Edit mode";

// Malformed images.
inline constexpr const char* kHeaderCutOff = "Table header is cut off";
inline constexpr const char* kTitleTooLong = "Table title is longer than 15 characters";
inline constexpr const char* kBadDataStart = "Field descriptors do not end at the data start";
inline constexpr const char* kFieldNameTooLong = "Field name is longer than 10 characters";
inline constexpr const char* kMissingBlock = "Cannot attach a missing memory block";

}  // namespace kavu32

#endif

// The error codes a host sees and their fixed English messages: the
// results of GetCategories, GetData and GetErrorString.
#ifndef KAVU32_SUPPORT_ERROR_CODES_H
#define KAVU32_SUPPORT_ERROR_CODES_H

#include <array>
#include <cstdint>

namespace kavu32 {

enum ErrorCodes : int32_t {
  Ok = 0,
  NoData = -1,
  StringDataError = -2,
  MetafileError = -3,
  MemoError = -4,
  MetafileSaveError = -5,
  InitializingError = -6,
  InvalidDataParameter = -7,
  StandardCategoriesMissing = -8,
  BadTableFile = -9,
  UnknownError = -10,
  NoTablesFound = -11,
  CannotRetrieveCategories = -12,
  InvalidBufferPointer = -13,
  GraphicCategoryUnsupported = -14,
  UndefinedErrorCode = -15,
  DateAndNameNotSet = -16,
};

// Indexed by minus the error code.
inline constexpr std::array<const char*, 17> ErrorMessages = {
    "OK",
    "Database contains no data to provide on request",
    "Error while retriving string data",
    "Error while retrieving metafile",
    "Error while retrieving memo",
    "Error saving mefafile to temporary file",
    "Error initializing DLL",
    "Invalid data parameter passed",
    "One or more standard categories not found",
    "Bad table file",
    "Unknown error",
    "No database table have been found",
    "Can't retrive categories",
    "Invalid buffer pointer",
    "Additional Graphic category type not supported",
    "Undefined error code",
    "Date and name was not set yet",
};

}  // namespace kavu32

#endif

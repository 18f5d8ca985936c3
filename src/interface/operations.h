// What each export does, behind the thin C wrappers of exports.cc.
#ifndef KAVU32_INTERFACE_OPERATIONS_H
#define KAVU32_INTERFACE_OPERATIONS_H

#include <cstdint>

#include "kavu32.h"

namespace kavu32 {

// start_stop.cc
void StartUpLibrary(const char* firstFolder, const char* secondFolder);
void ShutDownLibrary();
// category_listing.cc
int32_t ListCategories(CategoryRecord* buffer);
// date_and_name.cc
void StoreDateAndName(const Kavu32Date& date, const char* name);
// error_reporting.cc
int32_t LastErrorCode();
int32_t DescribeLastError(char* buffer);

}  // namespace kavu32

#endif

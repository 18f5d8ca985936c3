// The layout dtf build writes, compared with a table file: structures the
// engine reads without complaint but that dtf build never writes (a record
// list cut short, records not back to back, bytes that belong to nothing)
// are signs of a damaged or foreign file.
#ifndef KAVU32_TOOLS_DTF_LAYOUT_CHECK_H
#define KAVU32_TOOLS_DTF_LAYOUT_CHECK_H

#include <string>
#include <string_view>
#include <vector>

#include "engine/table.h"

namespace kavu32::dtf {

// One message per difference between image and the image dtf build writes
// for the same content; empty when they are equal. table is image opened,
// with every record readable.
std::vector<std::string> LayoutProblems(std::string_view image, TsTable& table);

}  // namespace kavu32::dtf

#endif

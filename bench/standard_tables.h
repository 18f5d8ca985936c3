// The folder of the eight standard tables the whole-request benchmarks
// read: the bundled data set when the build made it, otherwise the test
// fixture's tables written to a temporary folder.
#ifndef KAVU32_BENCH_STANDARD_TABLES_H
#define KAVU32_BENCH_STANDARD_TABLES_H

#include <string>

namespace kavu32::bench {

// Ends in '/'; valid until the process ends.
const std::string& StandardTablesFolder();
// "bundled data set" or "test fixture".
const char* StandardTablesSource();
// The folder of the bundled pictures, or empty when there are none.
std::string GraphicsFolder();

}  // namespace kavu32::bench

#endif

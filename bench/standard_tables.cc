#include "standard_tables.h"

#ifndef KAVU32_BENCH_TABLES
#include "testing/fixture_folder.h"
#endif

namespace kavu32::bench {

#ifdef KAVU32_BENCH_TABLES

const std::string& StandardTablesFolder() {
  static const std::string folder = KAVU32_BENCH_TABLES;
  return folder;
}

const char* StandardTablesSource() { return "bundled data set"; }

std::string GraphicsFolder() { return KAVU32_BENCH_GRAPHICS; }

#else

const std::string& StandardTablesFolder() {
  static testing::FixtureFolder fixture;
  static const bool written = (fixture.WriteStandardTables(), true);
  static_cast<void>(written);
  return fixture.Path();
}

const char* StandardTablesSource() { return "test fixture"; }

std::string GraphicsFolder() { return {}; }

#endif

}  // namespace kavu32::bench

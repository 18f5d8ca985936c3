// Fixed numbers of requests, for counting instructions under callgrind
// (scripts/profile.sh), which collects only inside Measured:
//   kavu32_instruction_count_bench report|categories|TYPE COUNT
// report: COUNT full reports; categories: COUNT GetCategories calls; a
// data type: COUNT times its two calls, then a request for a type the
// catalogue does not hold, as each type alone is timed.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "request_session.h"

namespace kavu32::bench {
namespace {

// What is run: a data type, or one of these.
constexpr int32_t WholeReport = -1;
constexpr int32_t CategoryList = -2;

int32_t WhatOf(const std::string& name) {
  if (name == "report") return WholeReport;
  if (name == "categories") return CategoryList;
  return std::stoi(name);
}

void RunOnce(Session& session, int32_t what) {
  if (what == WholeReport) {
    session.Report();
  } else if (what == CategoryList) {
    GetCategories(session.Categories());
  } else {
    session.Request(what);
    GetData(UnlistedType, nullptr);
  }
}

}  // namespace
}  // namespace kavu32::bench

// Not inlined, and of a plain name, for callgrind's --toggle-collect.
extern "C" __attribute__((noinline)) void Measured(kavu32::bench::Session& session, int32_t what, int count) {
  for (int i = 0; i < count; ++i) kavu32::bench::RunOnce(session, what);
}

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[2]) <= 0) {
    std::cerr << "usage: " << argv[0] << " report|categories|TYPE COUNT\n";
    return 2;
  }
  const int32_t what = kavu32::bench::WhatOf(argv[1]);
  kavu32::bench::Session session;
  // Once before counting, so that first-use work is not counted.
  kavu32::bench::RunOnce(session, what);
  Measured(session, what, std::atoi(argv[2]));
  return 0;
}

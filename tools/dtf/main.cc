// dtf: builds, dumps and checks .dtf table files.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  dtf build SOURCE.tsv OUT.dtf [--title TITLE] [--allow-duplicates]\n"
    "  dtf dump FILE.dtf [--blobs DIR]\n"
    "  dtf check FILE.dtf\n";

constexpr int kFailure = 1;
constexpr int kUsageFailure = 2;

int Run(const std::string& command, const std::vector<std::string>& arguments) {
  if (command == "build") return kavu32::dtf::RunBuild(arguments);
  if (command == "dump") return kavu32::dtf::RunDump(arguments);
  if (command == "check") return kavu32::dtf::RunCheck(arguments);
  throw kavu32::tools::UsageError("unknown command '" + command + "'");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return kUsageFailure;
  }
  try {
    return Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
  } catch (const kavu32::tools::UsageError& error) {
    std::cerr << "dtf: " << error.what() << '\n' << kUsage;
    return kUsageFailure;
  } catch (const std::exception& error) {
    std::cerr << "dtf: " << error.what() << '\n';
    return kFailure;
  }
}

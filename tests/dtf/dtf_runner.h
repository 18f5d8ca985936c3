// Runs the dtf program in a fixture folder and reads what it leaves.
#ifndef KAVU32_TESTS_DTF_DTF_RUNNER_H
#define KAVU32_TESTS_DTF_DTF_RUNNER_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testing/fixture_folder.h"

namespace kavu32::testing {

using namespace std::string_literals;

struct DtfRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

inline std::string ReadFileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

inline void WriteFileText(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs `dtf ARGUMENTS` with the fixture folder as the current folder; the
// arguments are passed to the shell as written.
inline DtfRun RunDtf(const FixtureFolder& folder, const std::string& arguments) {
  const std::string out = folder.Path() + "run.out", err = folder.Path() + "run.err",
                    rc = folder.Path() + "run.rc";
  const std::string command = "cd '" + folder.Path() + "' && '" KAVU32_DTF_BINARY "' " + arguments + " >'" +
                              out + "' 2>'" + err + "'; echo $? >'" + rc + "'";
  DtfRun run;
  if (std::system(command.c_str()) != 0) return run;
  run.Status = std::stoi(ReadFileText(rc));
  run.Out = ReadFileText(out);
  run.Err = ReadFileText(err);
  return run;
}

}  // namespace kavu32::testing

#endif

// The host's command line: a command, its arguments and the options, which
// may stand anywhere after the command.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "kavu32.h"

namespace kavu {

// A command line the host cannot run: the message says why.
using kavu32::tools::UsageError;

struct CommandLine {
  std::string command;
  std::vector<std::string> arguments;
  std::string dataFolder;        // empty: the bundled data set
  std::string secondDataFolder;  // empty: none
  std::string graphicsFolder;    // empty: the bundled pictures
  std::string outputFile;        // empty: standard output
  bool html = false;
  bool help = false;             // also "kavu --help" and "kavu help"
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// YYYY-MM-DD with a year of one to four digits. Checks the form only; the
// library judges whether the day exists.
std::optional<Kavu32Date> ParseBirthDate(std::string_view text);

// A data type number, negative ones included.
std::optional<int32_t> ParseDataType(std::string_view text);

}  // namespace kavu

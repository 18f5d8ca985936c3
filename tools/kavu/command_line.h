// The host's command line: a command, its arguments and the options, which
// may stand anywhere after the command.
#ifndef KAVU32_TOOLS_KAVU_COMMAND_LINE_H
#define KAVU32_TOOLS_KAVU_COMMAND_LINE_H

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "kavu32.h"

namespace kavu32::kavu {

// A command line the host cannot run: the message says why.
using tools::UsageError;

struct CommandLine {
  std::string Command;
  std::vector<std::string> Arguments;
  std::string DataFolder;        // empty: the bundled data set
  std::string SecondDataFolder;  // empty: none
  std::string GraphicsFolder;    // empty: the bundled pictures
  std::string OutputFile;        // empty: standard output
  bool Html = false;
  bool Help = false;  // also "kavu --help" and "kavu help"
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// YYYY-MM-DD with a year of one to four digits. Checks the form only; the
// library judges whether the day exists.
std::optional<Kavu32Date> ParseBirthDate(std::string_view text);

// A data type number, negative ones included.
std::optional<int32_t> ParseDataType(std::string_view text);

}  // namespace kavu32::kavu

#endif

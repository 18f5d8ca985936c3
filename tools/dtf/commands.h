// The three dtf commands; each returns the exit status.
#ifndef KAVU32_TOOLS_DTF_COMMANDS_H
#define KAVU32_TOOLS_DTF_COMMANDS_H

#include <string>
#include <vector>

#include "arguments.h"

namespace kavu32::dtf {

// build SOURCE.tsv OUT.dtf [--title TITLE] [--allow-duplicates]
int RunBuild(const std::vector<std::string>& arguments);
// dump FILE.dtf [--blobs DIR]
int RunDump(const std::vector<std::string>& arguments);
// check FILE.dtf
int RunCheck(const std::vector<std::string>& arguments);

// The words of a command: exactly fileCount file arguments and the options
// of syntax; fails with tools::UsageError otherwise.
inline tools::Arguments FileArguments(const std::vector<std::string>& words, size_t fileCount,
                                      const tools::OptionSyntax& syntax) {
  tools::Arguments arguments(words, syntax);
  const size_t given = arguments.Positional().size();
  if (given != fileCount) {
    throw tools::UsageError("expected " + std::to_string(fileCount) + " file arguments, got " + std::to_string(given));
  }
  return arguments;
}

}  // namespace kavu32::dtf

#endif

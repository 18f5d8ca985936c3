// The three dtf commands; each returns the exit status.
#ifndef KAVU32_TOOLS_DTF_COMMANDS_H
#define KAVU32_TOOLS_DTF_COMMANDS_H

#include <string>
#include <vector>

namespace kavu32::dtf {

// build SOURCE.tsv OUT.dtf [--title TITLE] [--allow-duplicates]
int RunBuild(const std::vector<std::string>& arguments);
// dump FILE.dtf [--blobs DIR]
int RunDump(const std::vector<std::string>& arguments);
// check FILE.dtf
int RunCheck(const std::vector<std::string>& arguments);

}  // namespace kavu32::dtf

#endif

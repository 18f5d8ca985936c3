// The arguments of one dtf command: positional arguments, options with a
// value and options without one.
#ifndef KAVU32_TOOLS_DTF_COMMAND_LINE_H
#define KAVU32_TOOLS_DTF_COMMAND_LINE_H

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kavu32::dtf {

// Wrong arguments: the tool shows its usage and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandSyntax {
  size_t PositionalCount = 0;
  std::set<std::string> ValueOptions;
  std::set<std::string> FlagOptions;
};

class CommandLine {
 public:
  CommandLine(const std::vector<std::string>& arguments, const CommandSyntax& syntax);

  const std::string& Positional(size_t i) const { return positional_.at(i); }
  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags_.contains(name); }

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
  std::set<std::string> flags_;
};

}  // namespace kavu32::dtf

#endif

#include "command_line.h"

namespace kavu32::dtf {

CommandLine::CommandLine(const std::vector<std::string>& arguments, const CommandSyntax& syntax) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (syntax.FlagOptions.contains(argument)) {
      flags_.insert(argument);
    } else if (syntax.ValueOptions.contains(argument)) {
      if (i + 1 == arguments.size()) throw UsageError(argument + " needs a value");
      options_[argument] = arguments[++i];
    } else if (argument.starts_with("--")) {
      throw UsageError("unknown option " + argument);
    } else {
      positional_.push_back(argument);
    }
  }
  if (positional_.size() != syntax.PositionalCount) {
    throw UsageError("expected " + std::to_string(syntax.PositionalCount) + " file arguments, got " +
                     std::to_string(positional_.size()));
  }
}

std::optional<std::string> CommandLine::Option(const std::string& name) const {
  const auto found = options_.find(name);
  if (found == options_.end()) return std::nullopt;
  return found->second;
}

}  // namespace kavu32::dtf

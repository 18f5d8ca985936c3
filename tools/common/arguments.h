// The words after a tool's command: its options, which may stand anywhere,
// and its positional arguments in order. Both tools parse with this.
#ifndef KAVU32_TOOLS_COMMON_ARGUMENTS_H
#define KAVU32_TOOLS_COMMON_ARGUMENTS_H

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kavu32::tools {

// Words a tool cannot run with: it shows its usage and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSyntax {
  // Each option that takes a value, with what the value is ("a folder"),
  // for the message when it is missing.
  std::map<std::string, std::string> ValueOptions;
  std::set<std::string> FlagOptions;
};

// An option is a word of more than two characters that starts with "--"
// (a lone "-" or "--" is positional). A value option takes the next word,
// or the text after "=" in "--name=value"; the last of a repeated option
// counts. Fails with UsageError for an unknown option and for a value
// option that ends the words.
class Arguments {
 public:
  Arguments(const std::vector<std::string>& words, const OptionSyntax& syntax);

  const std::vector<std::string>& Positional() const { return positional_; }
  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags_.contains(name); }

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
  std::set<std::string> flags_;
};

}  // namespace kavu32::tools

#endif

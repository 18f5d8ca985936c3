#include "arguments.h"

#include <string_view>

namespace kavu32::tools {

Arguments::Arguments(const std::vector<std::string>& words, const OptionSyntax& syntax) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() <= 2 || !word.starts_with("--")) {
      positional_.push_back(word);
      continue;
    }
    if (syntax.FlagOptions.contains(word)) {
      flags_.insert(word);
      continue;
    }
    const size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const auto option = syntax.ValueOptions.find(name);
    if (option == syntax.ValueOptions.end()) throw UsageError("unknown option " + word);
    if (equals != std::string::npos) {
      options_[name] = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      options_[name] = words[++i];
    } else {
      throw UsageError(name + " needs " + option->second);
    }
  }
}

std::optional<std::string> Arguments::Option(const std::string& name) const {
  const auto found = options_.find(name);
  if (found == options_.end()) return std::nullopt;
  return found->second;
}

}  // namespace kavu32::tools

#include "command_line.h"

#include <array>
#include <charconv>
#include <utility>

namespace kavu {
namespace {

struct ValueOption {
  std::string_view flag;
  std::string CommandLine::*value;
  std::string_view what;
};

constexpr std::array kValueOptions{
    ValueOption{"--data", &CommandLine::dataFolder, "a folder"},
    ValueOption{"--data2", &CommandLine::secondDataFolder, "a folder"},
    ValueOption{"--graphics", &CommandLine::graphicsFolder, "a folder"},
    ValueOption{"--output", &CommandLine::outputFile, "a file"},
};

struct FlagOption {
  std::string_view flag;
  bool CommandLine::*set;
};

constexpr std::array kFlagOptions{
    FlagOption{"--html", &CommandLine::html},
    FlagOption{"--help", &CommandLine::help},
};

// "--data DIR" or "--data=DIR": the value, or nothing when the word is not
// this option. `next` is the following word, consumed by the first form.
std::optional<std::string> OptionValue(std::string_view word, const ValueOption& option,
                                       const char* next, bool& consumedNext) {
  const std::string_view flag = option.flag;
  consumedNext = false;
  if (word == flag) {
    if (next == nullptr) {
      throw UsageError(std::string(flag) + " needs " + std::string(option.what));
    }
    consumedNext = true;
    return std::string(next);
  }
  if (word.size() > flag.size() && word.starts_with(flag) && word[flag.size()] == '=') {
    return std::string(word.substr(flag.size() + 1));
  }
  return std::nullopt;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  if (argc < 2) {
    throw UsageError("no command given");
  }
  CommandLine line;
  line.command = argv[1];
  line.help = line.command == "--help" || line.command == "help";
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    bool matched = false;
    for (const ValueOption& option : kValueOptions) {
      bool consumedNext = false;
      if (auto value = OptionValue(word, option, next, consumedNext)) {
        line.*option.value = std::move(*value);
        i += consumedNext ? 1 : 0;
        matched = true;
        break;
      }
    }
    for (const FlagOption& option : kFlagOptions) {
      if (word == option.flag) {
        line.*option.set = true;
        matched = true;
      }
    }
    if (matched) {
      continue;
    }
    if (word.size() > 2 && word.starts_with("--")) {
      throw UsageError("unknown option " + std::string(word));
    }
    line.arguments.emplace_back(word);
  }
  return line;
}

std::optional<Kavu32Date> ParseBirthDate(std::string_view text) {
  const std::size_t first = text.find('-');
  const std::size_t second = text.find('-', first == std::string_view::npos ? first : first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos || first > 4 ||
      second - first - 1 != 2 || text.size() - second - 1 != 2) {
    return std::nullopt;
  }
  const auto year = ParseNumber<uint16_t>(text.substr(0, first));
  const auto month = ParseNumber<uint16_t>(text.substr(first + 1, 2));
  const auto day = ParseNumber<uint16_t>(text.substr(second + 1));
  if (!year || !month || !day) {
    return std::nullopt;
  }
  Kavu32Date date{};
  date.Year = *year;
  date.Month = *month;
  date.Day = *day;
  return date;
}

std::optional<int32_t> ParseDataType(std::string_view text) { return ParseNumber<int32_t>(text); }

}  // namespace kavu

#include "command_line.h"

#include <array>
#include <charconv>
#include <utility>

namespace kavu {
namespace {

struct FolderOption {
  std::string_view flag;
  std::string CommandLine::*folder;
};

constexpr std::array kFolderOptions{
    FolderOption{"--data", &CommandLine::dataFolder},
    FolderOption{"--data2", &CommandLine::secondDataFolder},
    FolderOption{"--graphics", &CommandLine::graphicsFolder},
};

// "--data DIR" or "--data=DIR": the folder, or nothing when the word is no
// folder option. `next` is the following word, consumed by the first form.
std::optional<std::string> FolderValue(std::string_view word, std::string_view flag,
                                       const char* next, bool& consumedNext) {
  consumedNext = false;
  if (word == flag) {
    if (next == nullptr) {
      throw UsageError(std::string(flag) + " needs a folder");
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
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    bool matched = false;
    for (const FolderOption& option : kFolderOptions) {
      bool consumedNext = false;
      if (auto value = FolderValue(word, option.flag, next, consumedNext)) {
        line.*option.folder = std::move(*value);
        i += consumedNext ? 1 : 0;
        matched = true;
        break;
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

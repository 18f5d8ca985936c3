#include "command_line.h"

#include <charconv>

namespace kavu32::kavu {
namespace {

const kavu32::tools::OptionSyntax kOptions = {
    .ValueOptions = {{"--data", "a folder"},
                     {"--data2", "a folder"},
                     {"--graphics", "a folder"},
                     {"--output", "a file"}},
    .FlagOptions = {"--html", "--help"},
};

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
  const kavu32::tools::Arguments words(std::vector<std::string>(argv + 2, argv + argc), kOptions);
  CommandLine line;
  line.Command = argv[1];
  line.Arguments = words.Positional();
  line.DataFolder = words.Option("--data").value_or("");
  line.SecondDataFolder = words.Option("--data2").value_or("");
  line.GraphicsFolder = words.Option("--graphics").value_or("");
  line.OutputFile = words.Option("--output").value_or("");
  line.Html = words.Flag("--html");
  line.Help = line.Command == "--help" || line.Command == "help" || words.Flag("--help");
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

}  // namespace kavu32::kavu

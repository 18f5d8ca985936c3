// Any bytes as the table source of `dtf build`: either the build refuses
// them with a "NAME:LINE:COLUMN: message", or the table it writes passes
// every check of `dtf check` and `dtf dump` writes it out as a source of
// the same title, fields and cells. @PATH cells read from a fixed set of
// in-memory files, never from the disk. A source without a #title line
// gets a title, as `dtf build --title` gives one.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cell_text.h"
#include "commands.h"
#include "file_io.h"

namespace {

using namespace kavu32::dtf;

constexpr const char* SourceName = "fuzzed.tsv";

void Require(bool condition, const std::string& what) {
  if (condition) return;
  std::fprintf(stderr, "table source fuzzer: %s\n", what.c_str());
  std::abort();
}

std::string NoFiles(const std::string& path) { throw CellError(0, "cannot read the file " + path); }

std::string ReadFixedFile(const std::string& path) {
  using namespace std::string_literals;
  static const std::map<std::string, std::string> files = {
      {"empty.bin", ""},
      {"bytes.bin", "\x00\xff\t\n\\x"s},
      {"pictures/small.wmf", "\xd7\xcd\xc6\x9a\x00\x00"s}};
  const auto file = files.find(path);
  return file != files.end() ? file->second : NoFiles(path);
}

bool IsNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos && text[0] != '0';
}

// "NAME:LINE:COLUMN: message", both numbers from 1.
bool NamesAPlace(std::string_view message) {
  const std::string prefix = std::string(SourceName) + ":";
  if (!message.starts_with(prefix)) return false;
  message.remove_prefix(prefix.size());
  const size_t lineEnd = message.find(':');
  if (lineEnd == std::string_view::npos || !IsNumber(message.substr(0, lineEnd))) return false;
  message.remove_prefix(lineEnd + 1);
  const size_t columnEnd = message.find(": ");
  return columnEnd != std::string_view::npos && IsNumber(message.substr(0, columnEnd));
}

// Cells read from text are equal when their values are: every nan is the
// one "nan" of the text form, and zero keeps its sign.
bool SameCell(const Cell& a, const Cell& b) {
  const auto* x = std::get_if<double>(&a);
  const auto* y = std::get_if<double>(&b);
  if (x == nullptr || y == nullptr) return a == b;
  return (*x != *x && *y != *y) || std::memcmp(x, y, sizeof *x) == 0;
}

bool SameContent(const TableContent& a, const TableContent& b) {
  if (a.Title != b.Title || a.Fields.size() != b.Fields.size() || a.Records.size() != b.Records.size())
    return false;
  for (size_t i = 0; i < a.Fields.size(); ++i) {
    const FieldSpec &x = a.Fields[i], &y = b.Fields[i];
    if (x.Name != y.Name || x.Type != y.Type || x.KeyFlag != y.KeyFlag) return false;
  }
  for (size_t r = 0; r < a.Records.size(); ++r) {
    if (a.Records[r].size() != b.Records[r].size()) return false;
    for (size_t i = 0; i < a.Records[r].size(); ++i) {
      if (!SameCell(a.Records[r][i], b.Records[r][i])) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<std::string> title;
  if (!text.starts_with(TitleDirective)) title = "Fuzzed";
  BuiltTable built;
  try {
    built = BuildTable(SourceName, text, ReadFixedFile, title, true);
  } catch (const ToolError& error) {
    Require(NamesAPlace(error.what()), std::string("a refusal without a place: ") + error.what());
    return 0;
  }
  const std::string_view image(reinterpret_cast<const char*>(built.Image.data()), built.Image.size());
  kavu32::TsTable table(built.Image.data(), static_cast<int32_t>(built.Image.size()));
  try {
    table.Open();
  } catch (const std::exception& error) {
    Require(false, std::string("the built table does not open: ") + error.what());
  }
  const std::vector<std::string> problems = TableProblems(image, table);
  Require(problems.empty(), "dtf check finds: " + (problems.empty() ? "" : problems[0]));
  std::ostringstream dump;
  DumpTable(dump, table, std::nullopt);
  SourceTable again;
  try {
    again = ParseSource(dump.str(), NoFiles);
  } catch (const SourceError& error) {
    Require(false, std::string("the dump does not read back: ") + error.what());
  }
  Require(again.Title.has_value(), "the dump has no title");
  again.Content.Title = *again.Title;
  Require(SameContent(built.Content, again.Content), "the dump reads back as other cells");
  return 0;
}

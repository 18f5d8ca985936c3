#include "tsv_source.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "cell_text.h"
#include "engine/field.h"
#include "support/date_time.h"

namespace kavu32::dtf {

namespace {

constexpr std::string_view KeyMark = "key";

struct Line {
  size_t Number = 0;
  std::string_view Text;
};

// The lines of text, each without its line feed and a carriage return
// before it; a final line feed ends the last line.
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({lines.size() + 1, line});
    start = end + 1;
  }
  return lines;
}

struct CellText {
  std::string_view Text;
  size_t Column = 0;
};

std::vector<CellText> SplitCells(std::string_view line) {
  std::vector<CellText> cells;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find('\t', start);
    cells.push_back({line.substr(start, end == std::string_view::npos ? end : end - start), start + 1});
    if (end == std::string_view::npos) return cells;
    start = end + 1;
  }
}

// The text form reads any day count, so that dtf dump can write whatever
// a file holds; a table dtf build writes holds only dates the engine can
// show.
double ParseShowableDateTime(std::string_view text) {
  const double value = ParseDateTimeCell(text);
  try {
    (void)DecodeDate(value);
    (void)DecodeTime(value);
  } catch (const std::exception&) {
    throw CellError(0, "the day count " + FormatFloatCell(value) + " is no date in the years 1 to 9999");
  }
  return value;
}

class SourceParser {
 public:
  explicit SourceParser(const FileReader& readFile) : read_file_(readFile) {}

  SourceTable Parse(std::string_view text) {
    const std::vector<Line> lines = SplitLines(text);
    size_t next = 0;
    if (next < lines.size() && lines[next].Text.starts_with(TitleDirective)) {
      const Line& line = lines[next++];
      table_.Title = Unescaped(line, {line.Text.substr(TitleDirective.size()), TitleDirective.size() + 1});
    }
    if (next == lines.size())
      throw SourceError(next + 1, 1, "no field declarations (NAME:TYPE or NAME:TYPE:key)");
    ParseHeader(lines[next++]);
    for (; next < lines.size(); ++next) ParseRecord(lines[next]);
    return std::move(table_);
  }

 private:
  [[noreturn]] void Fail(const Line& line, size_t column, const std::string& message) const {
    throw SourceError(line.Number, column, message);
  }

  std::string Unescaped(const Line& line, const CellText& cell) const {
    try {
      return UnescapeText(cell.Text);
    } catch (const CellError& error) {
      Fail(line, cell.Column + error.Offset, error.what());
    }
  }

  void ParseHeader(const Line& line) {
    table_.Header.Line = line.Number;
    if (line.Text.empty()) return;  // a table without fields
    for (const CellText& cell : SplitCells(line.Text)) {
      table_.Content.Fields.push_back(ParseDeclaration(line, cell));
      table_.Header.Columns.push_back(cell.Column);
    }
  }

  // NAME:TYPE[:key], read from the right so that a name may hold colons.
  FieldSpec ParseDeclaration(const Line& line, const CellText& cell) const {
    std::string_view rest = cell.Text;
    bool key = false;
    if (rest.ends_with(KeyMark) && rest.size() > KeyMark.size() &&
        rest[rest.size() - KeyMark.size() - 1] == ':') {
      key = true;
      rest.remove_suffix(KeyMark.size() + 1);
    }
    const size_t colon = rest.rfind(':');
    if (colon == std::string_view::npos) {
      Fail(line, cell.Column, "'" + std::string(cell.Text) + "' is not NAME:TYPE or NAME:TYPE:key");
    }
    const std::optional<uint8_t> type = TypeCodeOfName(rest.substr(colon + 1));
    if (!type) {
      Fail(line, cell.Column + colon + 1,
           "unknown type '" + std::string(rest.substr(colon + 1)) +
               "' (bool, int, float, string, datetime, blob, memo or graphic)");
    }
    return {Unescaped(line, {rest.substr(0, colon), cell.Column}), *type, static_cast<uint8_t>(key ? 1 : 0)};
  }

  void ParseRecord(const Line& line) {
    const std::vector<FieldSpec>& fields = table_.Content.Fields;
    SourcePlace place{line.Number, {}};
    Record record;
    if (!fields.empty() || !line.Text.empty()) {
      const std::vector<CellText> cells = SplitCells(line.Text);
      if (cells.size() != fields.size()) {
        const size_t column =
            cells.size() > fields.size() ? cells[fields.size()].Column : line.Text.size() + 1;
        Fail(line, column,
             std::to_string(cells.size()) + " cells, but the header declares " +
                 std::to_string(fields.size()) + " fields");
      }
      for (size_t i = 0; i < cells.size(); ++i) {
        record.push_back(ParseCell(line, cells[i], fields[i].Type));
        place.Columns.push_back(cells[i].Column);
      }
    }
    table_.Content.Records.push_back(std::move(record));
    table_.Records.push_back(std::move(place));
  }

  Cell ParseCell(const Line& line, const CellText& cell, uint8_t type) const {
    try {
      switch (type) {
        case BooleanType:
          return static_cast<int32_t>(ParseBooleanCell(cell.Text));
        case IntegerType:
          return ParseIntegerCell(cell.Text);
        case FloatType:
          return ParseFloatCell(cell.Text);
        case DateTimeType:
          return ParseShowableDateTime(cell.Text);
        case StringType:
        case MemoType:
          return UnescapeText(cell.Text);
        default:
          return BlobBytes(UnescapeText(cell.Text));
      }
    } catch (const CellError& error) {
      Fail(line, cell.Column + error.Offset, error.what());
    }
  }

  std::string BlobBytes(const std::string& text) const {
    if (text.empty()) return text;
    if (text[0] == FileReference) return read_file_(text.substr(1));
    if (text.starts_with(HexPrefix)) return ParseHexBytes(text);
    throw CellError(0, "a blob or graphic cell is empty, @PATH or 0x followed by hex digits");
  }

  const FileReader& read_file_;
  SourceTable table_;
};

}  // namespace

SourceError::SourceError(size_t line, size_t column, const std::string& message)
    : std::runtime_error(std::to_string(line) + ":" + std::to_string(column) + ": " + message) {}

FileReader FilesIn(const std::filesystem::path& folder) {
  return [folder](const std::string& relative) {
    const std::filesystem::path path = folder / relative;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path)) {
      throw CellError(0, "cannot read the file " + path.string());
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw CellError(0, "cannot read the file " + path.string());
    return bytes;
  };
}

SourceTable ParseSource(std::string_view text, const FileReader& readFile) {
  return SourceParser(readFile).Parse(text);
}

std::string FieldDeclaration(const std::string& name, uint8_t typeCode, bool key) {
  std::string declaration = EscapeText(name) + ":" + std::string(TypeName(typeCode));
  if (key) declaration += ":" + std::string(KeyMark);
  return declaration;
}

}  // namespace kavu32::dtf

// dtf build: a table source to a .dtf file, records sorted by key with the
// engine's own comparison.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "cell_text.h"
#include "commands.h"
#include "engine/table.h"
#include "file_io.h"
#include "table_writer.h"
#include "tsv_source.h"

namespace kavu32::dtf {

namespace {

class TableBuild {
 public:
  TableBuild(std::string sourceName, SourceTable table)
      : source_name_(std::move(sourceName)), table_(std::move(table)) {}

  const TableContent& Content() const { return table_.Content; }

  std::vector<uint8_t> Image() const {
    try {
      return WriteTableImage(table_.Content);
    } catch (const WriteError& error) {
      FailAt(PlaceOf(error), error.Detail);
    }
  }

  // Record order by key: source order among equal keys, which are refused
  // unless allowed.
  void SortByKey(bool allowDuplicates) {
    const std::vector<uint8_t> image = Image();
    TsTable table(image.data(), static_cast<int32_t>(image.size()));
    table.Open();
    RequireKeyRun(table);
    if (table.KeyFieldCount() == 0) return;  // nothing to order by
    const std::vector<std::vector<TsKeyValue>> keys = RecordKeys(table);
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return CompareKeys(keys[a], keys[b]) < 0; });
    if (!allowDuplicates) RequireDistinct(keys, order);
    Reorder(order);
  }

 private:
  struct Place {
    size_t Line = 0;
    size_t Column = 1;
  };

  [[noreturn]] void FailAt(Place place, const std::string& message) const {
    throw ToolError(source_name_ + ":" + std::to_string(place.Line) + ":" + std::to_string(place.Column) +
                    ": " + message);
  }

  Place CellPlace(size_t record, size_t field) const {
    const SourcePlace& place = table_.Records[record];
    return {place.Line, field < place.Columns.size() ? place.Columns[field] : 1};
  }

  Place PlaceOf(const WriteError& error) const {
    if (error.RecordIndex != WriteError::Nowhere) {
      return CellPlace(error.RecordIndex, error.FieldIndex);
    }
    const std::vector<size_t>& columns = table_.Header.Columns;
    const size_t line = error.FieldIndex != WriteError::Nowhere ? table_.Header.Line : 1;
    return {line, error.FieldIndex < columns.size() ? columns[error.FieldIndex] : 1};
  }

  // A field marked key past the key the engine sees would be silently
  // ordinary: refuse it.
  void RequireKeyRun(const TsTable& table) const {
    const std::vector<FieldSpec>& fields = table_.Content.Fields;
    for (size_t i = static_cast<size_t>(table.KeyFieldCount()); i < fields.size(); ++i) {
      if ((fields[i].KeyFlag & KeyFlagBit) == 0) continue;
      FailAt({table_.Header.Line, table_.Header.Columns[i]},
             "field '" + fields[i].Name +
                 "' cannot be a key field: the key is the leading run of key fields, of types bool, int, "
                 "float, string and datetime");
    }
  }

  std::vector<std::vector<TsKeyValue>> RecordKeys(TsTable& table) const {
    std::vector<std::vector<TsKeyValue>> keys(static_cast<size_t>(table.RecordCount()));
    for (size_t r = 0; r < keys.size(); ++r) {
      table.RecordKey(static_cast<int32_t>(r), keys[r]);
      for (size_t k = 0; k < keys[r].size(); ++k) {
        if (keys[r][k].Kind == ExtendedKey && std::isnan(keys[r][k].Extended)) {
          FailAt(CellPlace(r, k), "a key value cannot be nan: it has no order");
        }
      }
    }
    return keys;
  }

  void RequireDistinct(const std::vector<std::vector<TsKeyValue>>& keys,
                       const std::vector<size_t>& order) const {
    for (size_t i = 1; i < order.size(); ++i) {
      if (CompareKeys(keys[order[i - 1]], keys[order[i]]) != 0) continue;
      FailAt(CellPlace(order[i], 0), "duplicate key: line " +
                                         std::to_string(table_.Records[order[i - 1]].Line) +
                                         " has the same key (allow it with --allow-duplicates)");
    }
  }

  void Reorder(const std::vector<size_t>& order) {
    std::vector<Record> records;
    std::vector<SourcePlace> places;
    records.reserve(order.size());
    places.reserve(order.size());
    for (size_t i : order) {
      records.push_back(std::move(table_.Content.Records[i]));
      places.push_back(std::move(table_.Records[i]));
    }
    table_.Content.Records = std::move(records);
    table_.Records = std::move(places);
  }

  std::string source_name_;
  SourceTable table_;
};

SourceTable ReadSource(const std::string& sourceName, std::string_view text, const FileReader& readFile,
                       const std::optional<std::string>& title) {
  SourceTable table;
  try {
    table = ParseSource(text, readFile);
  } catch (const SourceError& error) {
    throw ToolError(sourceName + ":" + error.what());
  }
  if (title) table.Title = title;
  if (!table.Title) throw ToolError(sourceName + ": no title: give --title TITLE or a #title line");
  table.Content.Title = *table.Title;
  return table;
}

}  // namespace

BuiltTable BuildTable(const std::string& sourceName, std::string_view text, const FileReader& readFile,
                      const std::optional<std::string>& title, bool allowDuplicates) {
  TableBuild build(sourceName, ReadSource(sourceName, text, readFile, title));
  build.SortByKey(allowDuplicates);
  return {build.Content(), build.Image()};
}

int RunBuild(const std::vector<std::string>& arguments) {
  const tools::Arguments line = FileArguments(
      arguments, 2, {.ValueOptions = {{"--title", "a value"}}, .FlagOptions = {"--allow-duplicates"}});
  const std::filesystem::path source = line.Positional()[0];
  const BuiltTable built = BuildTable(source.string(), ReadWholeFile(source), FilesIn(source.parent_path()),
                                      line.Option("--title"), line.Flag("--allow-duplicates"));
  ReplaceFile(line.Positional()[1], built.Image);
  return 0;
}

}  // namespace kavu32::dtf

// The table source `dtf build` reads: UTF-8 or any single-byte text, one
// line per record, cells separated by tabs.
//
//   #title<TAB>Event                       optional first line
//   Year:int:key<TAB>News:memo             NAME:TYPE or NAME:TYPE:key
//   1992<TAB>Barcelona Olympics\nEuro Disney
//
// A trailing carriage return on a line is ignored. Cells are read as
// cell_text.h describes; @PATH of blob and graphic cells is read through
// a FileReader, for dtf build relative to the source's folder. Every value
// needs a cell: an empty cell is an empty text, memo or blob, and an error
// for bool, int, float and datetime.
#ifndef KAVU32_TOOLS_DTF_TSV_SOURCE_H
#define KAVU32_TOOLS_DTF_TSV_SOURCE_H

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "table_writer.h"

namespace kavu32::dtf {

// What() is "LINE:COLUMN: message" (both from 1).
class SourceError : public std::runtime_error {
 public:
  SourceError(size_t line, size_t column, const std::string& message);
};

// Where a record's cells stand in the source.
struct SourcePlace {
  size_t Line = 0;
  std::vector<size_t> Columns;  // one per cell
};

struct SourceTable {
  std::optional<std::string> Title;
  TableContent Content;
  SourcePlace Header;                // one column per field declaration
  std::vector<SourcePlace> Records;  // one per record of Content
};

inline constexpr std::string_view TitleDirective = "#title\t";

// The bytes of the file a cell's @PATH names, PATH as written; throws
// CellError when there is no such file to read.
using FileReader = std::function<std::string(const std::string& path)>;

// Reads PATH as a path relative to folder.
FileReader FilesIn(const std::filesystem::path& folder);

SourceTable ParseSource(std::string_view text, const FileReader& readFile);

// The declaration of a field as the source's header writes it.
std::string FieldDeclaration(const std::string& name, uint8_t typeCode, bool key);

}  // namespace kavu32::dtf

#endif

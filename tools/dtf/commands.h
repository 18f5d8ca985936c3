// The three dtf commands; each returns the exit status. Below them, the
// work of each on bytes in memory.
#ifndef KAVU32_TOOLS_DTF_COMMANDS_H
#define KAVU32_TOOLS_DTF_COMMANDS_H

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "engine/table.h"
#include "table_writer.h"
#include "tsv_source.h"

namespace kavu32::dtf {

// build SOURCE.tsv OUT.dtf [--title TITLE] [--allow-duplicates]
int RunBuild(const std::vector<std::string>& arguments);
// dump FILE.dtf [--blobs DIR]
int RunDump(const std::vector<std::string>& arguments);
// check FILE.dtf
int RunCheck(const std::vector<std::string>& arguments);

// The words of a command: exactly fileCount file arguments and the options
// of syntax; fails with tools::UsageError otherwise.
inline tools::Arguments FileArguments(const std::vector<std::string>& words, size_t fileCount,
                                      const tools::OptionSyntax& syntax) {
  tools::Arguments arguments(words, syntax);
  const size_t given = arguments.Positional().size();
  if (given != fileCount) {
    throw tools::UsageError("expected " + std::to_string(fileCount) + " file arguments, got " +
                            std::to_string(given));
  }
  return arguments;
}
// A source built: its content with the records in key order, and the image.
struct BuiltTable {
  TableContent Content;
  std::vector<uint8_t> Image;
};

// The source text, named sourceName in messages; title replaces the
// source's own. Fails with ToolError "NAME:LINE:COLUMN: message", or
// "NAME: no title ..." when neither gives one.
BuiltTable BuildTable(const std::string& sourceName, std::string_view text, const FileReader& readFile,
                      const std::optional<std::string>& title, bool allowDuplicates);

// What dtf check reports on image, opened as table; empty when it is sound.
std::vector<std::string> TableProblems(std::string_view image, TsTable& table);

// The source that builds table again, blobs in hex or as files in blobFolder.
void DumpTable(std::ostream& out, TsTable& table, const std::optional<std::filesystem::path>& blobFolder);

}  // namespace kavu32::dtf

#endif

// dtf dump: a .dtf file as the table source that builds it again.
#include <fstream>
#include <iostream>

#include "cell_text.h"
#include "commands.h"
#include "file_io.h"
#include "table_file.h"
#include "tsv_source.h"

namespace kavu32::dtf {

namespace {

std::string_view Bytes(const TsField& field) {
  const std::span<const uint8_t> stored = field.StoredBytes();
  return {reinterpret_cast<const char*>(stored.data()), stored.size()};
}

class Dumper {
 public:
  Dumper(std::ostream& out, std::optional<std::filesystem::path> blobFolder)
      : out_(out), blob_folder_(std::move(blobFolder)) {
    if (blob_folder_) std::filesystem::create_directories(*blob_folder_);
  }

  void Dump(TsTable& table) {
    out_ << TitleDirective << EscapeText(table.Title()) << '\n';
    for (int i = 0; i < table.FieldCount(); ++i) {
      const TsField& field = table.Fields(i);
      out_ << (i > 0 ? "\t" : "")
           << FieldDeclaration(field.FieldName(), field.FieldType(), i < table.KeyFieldCount());
    }
    out_ << '\n';
    for (int32_t r = 0; r < table.RecordCount(); ++r) {
      try {
        table.GoToRecord(r);
      } catch (const Error& error) {
        throw ToolError("record " + std::to_string(r) + ": " + error.what());
      }
      for (int i = 0; i < table.FieldCount(); ++i) out_ << (i > 0 ? "\t" : "") << Cell(table.Fields(i), r, i);
      out_ << '\n';
    }
  }

 private:
  std::string Cell(const TsField& field, int32_t record, int fieldNo) const {
    switch (field.FieldType()) {
      case BooleanType:
        return FormatBooleanCell(field.StoredBytes()[0]);
      case IntegerType:
        return std::to_string(field.AsInteger());
      case FloatType:
        return FormatFloatCell(field.AsFloat());
      case DateTimeType:
        return FormatDateTimeCell(field.AsDateTime());
      case StringType:
        return EscapeText(field.AsString());
      case MemoType:
        return EscapeText(Bytes(field));
      default:
        return BlobCell(Bytes(field), record, fieldNo);
    }
  }

  std::string BlobCell(std::string_view bytes, int32_t record, int fieldNo) const {
    if (bytes.empty()) return {};
    if (!blob_folder_) return FormatHexBytes(bytes);
    const std::filesystem::path path =
        *blob_folder_ / ("r" + std::to_string(record) + "_f" + std::to_string(fieldNo) + ".bin");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw ToolError("cannot write " + path.string());
    return FileReference + EscapeText(path.generic_string());
  }

  std::ostream& out_;
  std::optional<std::filesystem::path> blob_folder_;
};

}  // namespace

void DumpTable(std::ostream& out, TsTable& table, const std::optional<std::filesystem::path>& blobFolder) {
  Dumper(out, blobFolder).Dump(table);
}

int RunDump(const std::vector<std::string>& arguments) {
  const tools::Arguments line =
      FileArguments(arguments, 1, {.ValueOptions = {{"--blobs", "a value"}}, .FlagOptions = {}});
  const std::string& path = line.Positional()[0];
  TableFile file(path);
  if (const std::string failure = file.Open(); !failure.empty()) {
    throw ToolError(path + ": cannot open the table: " + failure);
  }
  std::optional<std::filesystem::path> blobs;
  if (const auto folder = line.Option("--blobs")) blobs = *folder;
  try {
    DumpTable(std::cout, file.Table(), blobs);
  } catch (const ToolError& error) {
    throw ToolError(path + ": " + error.what());
  }
  std::cout.flush();
  if (!std::cout) throw ToolError("cannot write the dump");
  return 0;
}

}  // namespace kavu32::dtf

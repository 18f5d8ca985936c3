// dtf check: opens a .dtf file with the engine, reads every record and
// every field, verifies the key order, and compares the file with the
// layout dtf build writes for the same content.
#include <iostream>

#include "commands.h"
#include "layout_check.h"
#include "table_file.h"

namespace kavu32::dtf {

namespace {

constexpr size_t ShownProblems = 20;

class TableCheck {
 public:
  explicit TableCheck(TsTable& table) : table_(table) {}

  std::vector<std::string> Problems() {
    std::vector<TsKeyValue> previous, current;
    bool previousRead = false;
    for (int32_t r = 0; r < table_.RecordCount(); ++r) {
      const bool read = ReadRecord(r) && ReadKey(r, current);
      if (read && previousRead && CompareKeys(previous, current) > 0) {
        problems_.push_back("record " + std::to_string(r) + ": its key is below that of record " +
                            std::to_string(r - 1) + " (the keys must ascend)");
      }
      previous.swap(current);
      previousRead = read;
    }
    return std::move(problems_);
  }

 private:
  // Reads the record and the text of every field that has one.
  bool ReadRecord(int32_t r) {
    try {
      table_.GoToRecord(r);
    } catch (const std::exception& error) {
      problems_.push_back("record " + std::to_string(r) + ": " + error.what());
      return false;
    }
    for (int i = 0; i < table_.FieldCount(); ++i) {
      const TsField& field = table_.Fields(i);
      if (field.FieldType() < IntegerType || field.FieldType() > DateTimeType) continue;
      try {
        field.AsString();
      } catch (const std::exception& error) {
        problems_.push_back("record " + std::to_string(r) + ", field " + std::to_string(i) + " '" +
                            field.FieldName() + "': " + error.what());
      }
    }
    return true;
  }

  bool ReadKey(int32_t r, std::vector<TsKeyValue>& key) {
    try {
      table_.RecordKey(r, key);
      return true;
    } catch (const std::exception& error) {
      problems_.push_back("record " + std::to_string(r) + ": key: " + error.what());
      return false;
    }
  }

  TsTable& table_;
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> TableProblems(std::string_view image, TsTable& table) {
  std::vector<std::string> problems = TableCheck(table).Problems();
  // The layout is compared only where every record reads.
  if (problems.empty()) problems = LayoutProblems(image, table);
  return problems;
}

int RunCheck(const std::vector<std::string>& arguments) {
  const std::string path = FileArguments(arguments, 1, {}).Positional()[0];
  TableFile file(path);
  if (const std::string failure = file.Open(); !failure.empty()) {
    std::cout << path << ": cannot open the table: " << failure << '\n';
    return 1;
  }
  TsTable& table = file.Table();
  const std::vector<std::string> problems = TableProblems(file.Bytes(), table);
  for (size_t i = 0; i < std::min(problems.size(), ShownProblems); ++i)
    std::cout << path << ": " << problems[i] << '\n';
  if (problems.size() > ShownProblems) {
    std::cout << path << ": ... and " << problems.size() - ShownProblems << " more problems\n";
  }
  if (!problems.empty()) return 1;
  std::cout << "ok: " << table.RecordCount() << " records, " << table.FieldCount() << " fields\n";
  return 0;
}

}  // namespace kavu32::dtf

// The whole library through its exports, over a data folder in memory
// (memory_folder.h) that holds the standard tables and one fuzzed table
// file: the fuzzed image either replaces one standard table or joins them
// as an additional table. Each
// input runs StartUp, GetCategories, SetDateAndName with the input's date,
// GetData of every type and ShutDown, every call first as a size query and
// then into a buffer of exactly that size. A filling call must return what
// its size query did and end the result with a zero byte.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "kavu32.h"
#include "memory_folder.h"
#include "platform/system_calls.h"
#include "testing/fixture_folder.h"

namespace {

using Input = kavu32::fuzz::SteeredInput<kavu32::fuzz::library_control::Size>;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The table messages would flood the fuzzer's output.
ssize_t WriteExceptToStandardError(int fd, const void* bytes, size_t count) {
  if (fd == STDERR_FILENO) return static_cast<ssize_t>(count);
  return ::write(fd, bytes, count);
}

// The folder, made once per process in memory, and the standard tables'
// bytes to put back after each input.
class DataFolder {
 public:
  static constexpr const char* AdditionalFile = "Fuzzed.dtf";

  DataFolder() {
    kavu32::testing::FixtureFolder written;
    written.WriteStandardTables();
    for (const auto& entry : std::filesystem::directory_iterator(written.Path())) {
      tables_.push_back({entry.path().filename().string(), ReadFile(entry.path())});
    }
    std::sort(tables_.begin(), tables_.end());
    for (const auto& [name, bytes] : tables_) memory_.Put(name, bytes);
    // The graphic types look for their files in the current folder, which
    // the memory folder is.
    memory_.Put("Border.wmf", "");
    for (int sign = 0; sign < 12; ++sign) {
      memory_.Put("Zodiac" + std::to_string(sign) + ".wmf", "");
      memory_.Put("Chines" + std::to_string(sign) + ".wmf", "");
    }
  }

  static const char* Path() { return kavu32::fuzz::MemoryFolder::Path; }

  // Puts the image into the slot's file; the returned index is the one
  // to restore afterwards (none for the additional file).
  size_t Place(uint8_t slot, std::span<const uint8_t> image) {
    const size_t index = slot % (tables_.size() + 1);
    const std::string name = index < tables_.size() ? tables_[index].first : AdditionalFile;
    memory_.Put(name, std::string(image.begin(), image.end()));
    return index;
  }

  // Puts the slot's table back, once the session has let go of the
  // folder's every descriptor, listing and mapping.
  void Restore(size_t index) {
    Require(memory_.OpenCount() == 0);
    if (index < tables_.size()) {
      memory_.Put(tables_[index].first, tables_[index].second);
    } else {
      memory_.Remove(AdditionalFile);
    }
  }

 private:
  kavu32::fuzz::MemoryFolder memory_;
  std::vector<std::pair<std::string, std::string>> tables_;
};

void ListCategories() {
  const int32_t size = GetCategories(nullptr);
  if (size <= 0) return;
  Require(size % static_cast<int32_t>(sizeof(CategoryRecord)) == 0);
  std::vector<CategoryRecord> list(static_cast<size_t>(size) / sizeof(CategoryRecord));
  Require(GetCategories(list.data()) == size);
  Require(list.back().DataType == 0 && list.back().Name[0] == '\0');
}

void DescribeLastError() {
  const int32_t size = GetErrorString(nullptr);
  if (size <= 0) return;
  std::vector<char> text(static_cast<size_t>(size));
  Require(GetErrorString(text.data()) == size && text.back() == '\0');
}

// Type 1 depends on today's date as well, which may turn between the two
// calls.
void RequestData(int32_t type) {
  const int32_t size = GetData(type, nullptr);
  DescribeLastError();
  if (size <= 0) return;
  std::vector<char> result(static_cast<size_t>(size));
  const int32_t delivered = GetData(type, result.data());
  Require(delivered == GetErrorCode());
  if (type != 1) Require(delivered == size && result.back() == '\0');
  DescribeLastError();
}

void RequestEveryType() {
  for (int32_t type = 1; type <= 40; ++type) RequestData(type);
  for (const int32_t type : {0, -1, INT32_MIN, INT32_MAX}) RequestData(type);
}

void SetDate(const Input& input) {
  namespace control = kavu32::fuzz::library_control;
  Kavu32Date date{};
  date.Year = input.Uint16At(control::Year);
  date.Month = input.Control[control::Month];
  date.Day = input.Control[control::Day];
  try {
    SetDateAndName(date, "Fuzz Tester");
  } catch (const kavu32::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kavu32::platform::SetSystemCall("write", &WriteExceptToStandardError);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFolder folder;
  const Input input(data, size);
  const size_t placed = folder.Place(input.Control[kavu32::fuzz::library_control::Slot], input.Image);

  StartUp(DataFolder::Path(), "");
  ListCategories();
  SetDate(input);
  RequestEveryType();
  ShutDown();

  folder.Restore(placed);
  return 0;
}

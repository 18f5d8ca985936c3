#include "library_session.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace kavu32::kavu {
namespace {

// Room beyond the announced size: the age sentence can grow between the size
// query and the copy when the day changes.
constexpr std::size_t kSlack = 64;

std::string LastErrorMessage() {
  const int32_t size = GetErrorString(nullptr);
  if (size <= 0) {
    return "error code " + std::to_string(GetErrorCode());
  }
  std::vector<char> text(static_cast<std::size_t>(size) + kSlack, '\0');
  if (GetErrorString(text.data()) <= 0) {
    return "error code " + std::to_string(GetErrorCode());
  }
  return std::string(text.data());
}

Answer Failure(int32_t code) {
  Answer answer;
  answer.Code = code;
  answer.Message = LastErrorMessage();
  return answer;
}

}  // namespace

LibrarySession::LibrarySession(const std::string& firstFolder, const std::string& secondFolder) {
  StartUp(firstFolder.c_str(), secondFolder.c_str());
}

LibrarySession::~LibrarySession() {
  try {
    ShutDown();
  } catch (const kavu32::Error&) {
    // Not started: nothing to release.
  }
}

Answer LibrarySession::ListCategories(std::vector<Category>& categories) const {
  categories.clear();
  const int32_t size = GetCategories(nullptr);
  if (size <= 0) {
    return Failure(size);
  }
  const std::size_t count = static_cast<std::size_t>(size) / sizeof(CategoryRecord);
  std::vector<CategoryRecord> records(count + 1);
  const int32_t written = GetCategories(records.data());
  if (written <= 0) {
    return Failure(written);
  }
  for (const CategoryRecord& record : records) {
    if (record.DataType == 0) {
      break;
    }
    const char* end = std::find(std::begin(record.Name), std::end(record.Name), '\0');
    categories.push_back({record.DataType, std::string(record.Name, end), record.TypeCode});
  }
  return Answer{written, {}, {}};
}

void LibrarySession::SetDateAndName(const Kavu32Date& date, const std::string& name) const {
  ::SetDateAndName(date, name.c_str());
}

Answer LibrarySession::Get(int32_t dataType) const {
  const int32_t size = GetData(dataType, nullptr);
  if (size <= 0) {
    return Failure(size);
  }
  std::vector<char> buffer(static_cast<std::size_t>(size) + kSlack, '\0');
  const int32_t delivered = GetData(dataType, buffer.data());
  if (delivered <= 0) {
    return Failure(delivered);
  }
  const std::size_t length = static_cast<std::size_t>(delivered) - 1;
  return Answer{delivered, std::string(buffer.data(), length < buffer.size() ? length : buffer.size()), {}};
}

}  // namespace kavu32::kavu

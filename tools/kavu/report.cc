#include "report.h"

#include <algorithm>

namespace kavu32::kavu {
namespace {

constexpr int32_t LastStandardType = 19;

// Sections in reading order, each its heading's type and its body's.
const std::vector<std::vector<int32_t>> Sections = {
    {9, 1},   // introduction, age
    {8},      // the birth date
    {10, 2},  // news
    {11, 3},  // celebrities
    {15, 6},  // entertainment
    {16, 7},  // sport
    {12, 4},  // zodiac
    {13, 5},  // Chinese year
    {14},     // birthstone
};
const std::vector<int32_t> Graphics = {ZodiacGraphic, ChineseGraphic, BorderGraphic};

}  // namespace

const Category* FindCategory(const std::vector<Category>& categories, int32_t dataType) {
  const auto found = std::find_if(categories.begin(), categories.end(),
                                  [dataType](const Category& c) { return c.DataType == dataType; });
  return found == categories.end() ? nullptr : &*found;
}

std::vector<int32_t> AdditionalTypes(const std::vector<Category>& categories) {
  std::vector<int32_t> types;
  for (const Category& category : categories) {
    if (category.DataType < 1 || category.DataType > LastStandardType) {
      types.push_back(category.DataType);
    }
  }
  return types;
}

std::string FailureText(const Category& category, const Answer& answer) {
  return '[' + category.Name + "] error " + std::to_string(answer.Code) + ": " + answer.Message;
}

ReportWriter::ReportWriter(const LibrarySession& session, const std::vector<Category>& categories,
                           std::ostream& out)
    : session_(session), categories_(categories), out_(out) {}

void ReportWriter::Write() {
  for (const std::vector<int32_t>& section : Sections) {
    WriteSection(section);
  }
  WriteLabelled(Graphics);
  const std::vector<int32_t> additional = AdditionalTypes(categories_);
  if (!additional.empty()) {
    out_ << '\n';
    WriteLabelled(additional);
  }
}

void ReportWriter::WriteSection(const std::vector<int32_t>& dataTypes) {
  for (int32_t dataType : dataTypes) {
    const Category* category = FindCategory(categories_, dataType);
    if (category == nullptr) {
      continue;
    }
    const Answer answer = session_.Get(dataType);
    if (answer.Ok()) {
      WriteText(answer.Bytes);
    } else {
      WriteFailure(*category, answer);
    }
  }
  out_ << '\n';
}

void ReportWriter::WriteLabelled(const std::vector<int32_t>& dataTypes) {
  for (int32_t dataType : dataTypes) {
    const Category* category = FindCategory(categories_, dataType);
    if (category == nullptr) {
      continue;
    }
    const Answer answer = session_.Get(dataType);
    if (!answer.Ok()) {
      WriteFailure(*category, answer);
      continue;
    }
    if (answer.Bytes.find('\n') == std::string::npos) {
      out_ << category->Name << ": " << answer.Bytes << '\n';
    } else {
      out_ << category->Name << ":\n";
      WriteText(answer.Bytes);
    }
  }
}

void ReportWriter::WriteText(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    if (end > start) {
      out_.write(text.data() + start, static_cast<std::streamsize>(end - start)) << '\n';
    }
    start = end + 1;
  }
}

void ReportWriter::WriteFailure(const Category& category, const Answer& answer) {
  out_ << FailureText(category, answer) << '\n';
}

}  // namespace kavu32::kavu

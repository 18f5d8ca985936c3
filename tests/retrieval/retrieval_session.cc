#include "retrieval_session.h"

#include <cstring>
#include <vector>

#include "interface/library_state.h"

namespace kavu32::testing {

void RetrievalTest::SetUp() { folder_.WriteStandardTables(); }

void RetrievalTest::TearDown() {
  if (started_) ShutDown();
}

int32_t RetrievalTest::Load() {
  if (!started_) StartUp(folder_.Path().c_str(), "");
  started_ = true;
  return GetCategories(nullptr);
}

void RetrievalTest::SetDate(uint16_t year, uint16_t month, uint16_t day, const char* name) {
  Kavu32Date date{};
  date.Year = year;
  date.Month = month;
  date.Day = day;
  SetDateAndName(date, name);
}

std::string RetrievalTest::Data(int32_t type) {
  const int32_t size = GetData(type, nullptr);
  EXPECT_EQ(GetErrorCode(), size);
  ExpectResultHoldersEmpty();
  if (size <= 0) {
    ADD_FAILURE() << "type " << type << " answers " << size;
    return {};
  }
  std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
  EXPECT_EQ(GetData(type, buffer.data()), size);
  EXPECT_EQ(GetErrorCode(), size);
  ExpectResultHoldersEmpty();
  EXPECT_EQ(buffer[static_cast<size_t>(size) - 1], '\0');
  EXPECT_EQ(buffer[static_cast<size_t>(size)], '#') << "written past the reported size";
  return std::string(buffer.data(), static_cast<size_t>(size) - 1);
}

void RetrievalTest::ExpectFailure(int32_t type, int32_t code) {
  EXPECT_EQ(GetData(type, nullptr), code);
  EXPECT_EQ(GetErrorCode(), code);
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetData(type, buffer), code);
  EXPECT_EQ(GetErrorCode(), code);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '#'));
  ExpectResultHoldersEmpty();
}

int32_t RetrievalTest::DataTypeNamed(const std::string& name) {
  const int32_t size = GetCategories(nullptr);
  if (size <= 0) return 0;
  std::vector<CategoryRecord> list(static_cast<size_t>(size / CategoryRecordSize));
  if (GetCategories(list.data()) != size) return 0;
  for (const CategoryRecord& record : list) {
    if (name == record.Name) return record.DataType;
  }
  return 0;
}

void ExpectResultHoldersEmpty() {
  const LibraryState& state = State();
  EXPECT_TRUE(state.ResultText.empty());
  if (state.ResultStream) {
    EXPECT_EQ(state.ResultStream->Size(), 0);
  }
}

}  // namespace kavu32::testing

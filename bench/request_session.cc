#include "request_session.h"

#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "standard_tables.h"

namespace kavu32::bench {

Session::Session() {
  if (!GraphicsFolder().empty() && ::chdir(GraphicsFolder().c_str()) != 0) {
    throw std::runtime_error("cannot enter the graphics folder");
  }
  StartUp(StandardTablesFolder().c_str(), second_.Path().c_str());
  const int32_t size = GetCategories(nullptr);
  if (size <= 0) throw std::runtime_error("GetCategories failed: " + std::to_string(size));
  categories_.resize(static_cast<size_t>(size) / sizeof(CategoryRecord));
  SetDateAndName(BirthDate, "Alex Example");
  size_t largest = 1;
  for (int32_t type = 1; type <= StandardTypes; ++type) {
    largest = std::max<size_t>(largest, static_cast<size_t>(std::max(GetData(type, nullptr), 0)));
  }
  buffer_.resize(largest);
}

Session::~Session() { ShutDown(); }

std::vector<std::string> Session::Folders() const { return {StandardTablesFolder(), second_.Path()}; }

int32_t Session::Request(int32_t type) {
  const int32_t size = GetData(type, nullptr);
  return size > 0 ? GetData(type, buffer_.data()) : size;
}

int64_t Session::Report() {
  int64_t bytes = 0;
  for (int32_t type = 1; type <= StandardTypes; ++type) bytes += std::max(Request(type), 0);
  return bytes;
}

std::string Session::Answer(int32_t type) {
  const int32_t size = Request(type);
  if (size <= 0)
    throw std::runtime_error("type " + std::to_string(type) + " failed: " + std::to_string(size));
  return {buffer_.data(), static_cast<size_t>(size - 1)};
}

}  // namespace kavu32::bench

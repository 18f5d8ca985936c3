#include "file_io.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace kavu32::dtf {

namespace {

// Creates a file that did not exist, beside target.
std::pair<std::FILE*, std::filesystem::path> CreateTemporaryBeside(const std::filesystem::path& target) {
  std::random_device random;
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = "." + target.filename().string() + "." + std::to_string(random()) + ".tmp";
    std::filesystem::path temporary = folder / name;
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return {file, temporary};
  }
  throw ToolError("cannot create a temporary file in " + folder.string());
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw ToolError(path.string() + " is a folder");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ToolError("cannot open " + path.string());
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw ToolError("cannot read " + path.string());
  return bytes;
}

void ReplaceFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  auto [file, temporary] = CreateTemporaryBeside(path);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  std::error_code error;
  if (written && closed) std::filesystem::rename(temporary, path, error);
  if (!written || !closed || error) {
    std::filesystem::remove(temporary, error);
    throw ToolError("cannot write " + path.string());
  }
}

}  // namespace kavu32::dtf

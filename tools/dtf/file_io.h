// Whole-file reads and the atomic replacement of a file.
#ifndef KAVU32_TOOLS_DTF_FILE_IO_H
#define KAVU32_TOOLS_DTF_FILE_IO_H

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kavu32::dtf {

// A failure the tool reports as "dtf: message" with exit status 1.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to a new file beside path and renames it into place, so
// that a reader sees either the old file or the whole new one.
void ReplaceFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace kavu32::dtf

#endif

#include "temporary_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace kavu32::bench {

TemporaryFolder::TemporaryFolder() {
  char pattern[] = "/tmp/kavu32-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot create a folder in /tmp");
  path_ = std::string(pattern) + '/';
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kavu32::bench

// A folder under /tmp, removed with its contents when the object goes.
#ifndef KAVU32_BENCH_TEMPORARY_FOLDER_H
#define KAVU32_BENCH_TEMPORARY_FOLDER_H

#include <string>

namespace kavu32::bench {

class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder();

  // The folder, ending in '/'.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kavu32::bench

#endif

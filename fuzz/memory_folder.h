// A data folder held in memory and served to the library through the
// platform's system-call table, so that a fuzzed session touches no disk
// and every input starts from the same folder.
//
// The folder is also the process's current folder as the library sees it
// (getcwd), so a bare file name, as the graphic types test, is looked up in
// it. Other paths go to the real calls.
//
// A table is mapped as a heap copy of exactly the file's size: a read one
// byte past the end of a table is then caught by AddressSanitizer, where a
// real mapping would hide it in the rest of the last page.
#ifndef KAVU32_FUZZ_MEMORY_FOLDER_H
#define KAVU32_FUZZ_MEMORY_FOLDER_H

#include <map>
#include <string>

namespace kavu32::fuzz {

class MemoryFolder {
 public:
  // The folder's path as the library is given it.
  static constexpr const char* Path = "/kavu32-memory/";

  // Installs the folder's calls in the table; there is one folder per
  // process.
  MemoryFolder();
  MemoryFolder(const MemoryFolder&) = delete;
  MemoryFolder& operator=(const MemoryFolder&) = delete;
  ~MemoryFolder();

  // Files of any bytes; a file keeps its bytes for whoever opened it before
  // it was replaced or removed, as an unlinked file does.
  void Put(const std::string& name, std::string bytes);
  void Remove(const std::string& name);

  // Descriptors, listings and mappings of the folder still open.
  int OpenCount() const;
};

}  // namespace kavu32::fuzz

#endif

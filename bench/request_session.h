// The library as a host leaves it before its first GetData: started on the
// standard tables (the first folder) and an empty second folder, the
// category list read, a date and name set, the graphics folder current.
// The request benchmarks share it.
#ifndef KAVU32_BENCH_REQUEST_SESSION_H
#define KAVU32_BENCH_REQUEST_SESSION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kavu32.h"
#include "temporary_folder.h"

namespace kavu32::bench {

inline constexpr int32_t StandardTypes = 19;
inline constexpr Kavu32Date BirthDate = {1969, 7, 0, 20, 0, 0, 0, 0};

// A data type the catalogue does not hold: its request fails at once, and
// replaces the answer the library keeps for a repeated request.
inline constexpr int32_t UnlistedType = 0;

class Session {
 public:
  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  std::vector<std::string> Folders() const;
  CategoryRecord* Categories() { return categories_.data(); }

  // The two calls of a host: the size, then the bytes. The size, or the
  // error code.
  int32_t Request(int32_t type);
  // Every standard type's two calls; the bytes delivered.
  int64_t Report();
  // The bytes of type's answer, terminator excluded.
  std::string Answer(int32_t type);
  size_t BufferSize() const { return buffer_.size(); }

 private:
  TemporaryFolder second_;
  std::vector<CategoryRecord> categories_;
  std::vector<char> buffer_;
};

}  // namespace kavu32::bench

#endif

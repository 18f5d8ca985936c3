// TMemoryStream: a growable block of bytes with a size and a position.
// An attached block (TSharedMemoryStream) is read in place and never
// freed, grown or moved.
#ifndef KAVU32_SUPPORT_MEMORY_STREAM_H
#define KAVU32_SUPPORT_MEMORY_STREAM_H

#include <cstddef>
#include <cstdint>

namespace kavu32 {

class TMemoryStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  virtual ~TMemoryStream();

  int64_t Size() const { return size_; }
  int64_t Position() const { return position_; }
  const uint8_t* Memory() const { return data_; }

  // Moves the position; any value from 0 up is accepted (reads past the
  // end fail, writes past the end grow the stream).
  void Seek(int64_t position);
  // Copies exactly count bytes to target and advances; fails with
  // "Stream read error" (reading nothing) when fewer remain.
  void ReadBuffer(void* target, int64_t count);
  // Writes count bytes at the position, growing the stream; fails with
  // "Out of memory while expanding memory stream" when that cannot be done.
  void Write(const void* source, int64_t count);
  // New size; content up to the smaller size is kept, the position is
  // clamped. A negative or unallocatable size fails as Write does.
  void SetSize(int64_t size);
  // Size 0, position 0, storage released.
  void Clear();
  // Copies count bytes from source's position (count 0: all of source from
  // its start) to this stream's position.
  void CopyFrom(TMemoryStream& source, int64_t count);
  // Writes the whole content to target at target's position.
  void SaveTo(TMemoryStream& target) const;

 protected:
  // Makes the stream read block in place (TSharedMemoryStream).
  void AttachBlock(const uint8_t* block, int64_t size);

 private:
  void Reserve(int64_t capacity);

  const uint8_t* data_ = nullptr;
  uint8_t* owned_ = nullptr;  // null for an attached block
  int64_t size_ = 0;
  int64_t capacity_ = 0;
  int64_t position_ = 0;
  bool attached_ = false;
};

}  // namespace kavu32

#endif

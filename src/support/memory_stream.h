// TMemoryStream: a growable block of bytes with a size and a position.
// An attached block (TSharedMemoryStream) is read in place and never
// freed, grown or moved; writing to it fails with "Stream write error".
#ifndef KAVU32_SUPPORT_MEMORY_STREAM_H
#define KAVU32_SUPPORT_MEMORY_STREAM_H

#include <cstddef>
#include <cstdint>
#include <cstring>

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
  // end fail, writes past the end grow the stream). A negative position
  // fails with "Stream read error" and leaves the position as it was.
  void Seek(int64_t position);
  // Copies exactly count bytes to target and advances; fails with
  // "Stream read error" (reading nothing) when fewer remain or count is
  // negative. A count of 0 reads nothing and never fails.
  void ReadBuffer(void* target, int64_t count) {
    if (count == 0) return;
    if (count < 0 || count > size_ - position_) FailRead();
    std::memcpy(target, data_ + position_, static_cast<size_t>(count));
    position_ += count;
  }
  // Writes count bytes at the position, growing the stream (a gap left by
  // a position past the end reads as zeros); fails with "Out of memory
  // while expanding memory stream" when that cannot be done (count
  // negative, or the size cannot be allocated), writing nothing.
  void Write(const void* source, int64_t count);
  // New size; content up to the smaller size is kept, bytes added read as
  // zeros, the position is clamped. A negative or unallocatable size fails
  // as Write does and changes nothing.
  void SetSize(int64_t size);
  // The content becomes exactly the count bytes at source (which may lie
  // in this stream), the position its end; fails as Write does, changing
  // nothing.
  void Assign(const void* source, int64_t count);
  // Size 0, position 0, storage released (an attached block is let go,
  // not freed).
  void Clear();
  // Copies count bytes from source's position (count 0: all of source from
  // its start) to this stream's position, advancing both. Fails with
  // "Stream read error", copying nothing, when source holds fewer bytes.
  void CopyFrom(TMemoryStream& source, int64_t count);
  // Writes the whole content to target at target's position.
  void SaveTo(TMemoryStream& target) const;

 protected:
  // Makes the stream read block in place (TSharedMemoryStream): size and
  // capacity are the block's, the position 0. Storage owned so far is
  // released. A negative size fails with "Stream read error".
  void AttachBlock(const uint8_t* block, int64_t size);

 private:
  [[noreturn]] static void FailRead();
  // Makes room for capacity bytes in owned storage, keeping the content.
  void Reserve(int64_t capacity);
  // Reserve for a copy from source, which may lie in this stream's own
  // storage and move with it: where source's bytes are afterwards.
  const void* ReserveFor(const void* source, int64_t capacity);
  // Fails with "Stream write error" when the block is attached.
  void RequireOwned() const;
  void Release();

  const uint8_t* data_ = nullptr;
  uint8_t* owned_ = nullptr;  // null for an attached block
  int64_t size_{};
  int64_t capacity_{};
  int64_t position_{};
  bool attached_ = false;
};

}  // namespace kavu32

#endif

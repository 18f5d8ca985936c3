#include "support/memory_stream.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

#include "support/error.h"

namespace kavu32 {

namespace {

// Owned storage keeps to the size range of the 32-bit library.
constexpr int64_t MaxOwnedSize = INT32_MAX;

[[noreturn]] void FailGrow() { throw Error(OutOfMemoryInStream); }

// The offset of address in the size bytes from begin; none outside them
// (and none at all for storage not yet allocated, whose size is 0).
std::optional<int64_t> OffsetWithin(const void* address, const uint8_t* begin, int64_t size) {
  const auto* p = static_cast<const uint8_t*>(address);
  std::less_equal<const uint8_t*> notAfter;
  if (!notAfter(begin, p) || !std::less<const uint8_t*>()(p, begin + size)) return std::nullopt;
  return p - begin;
}

}  // namespace

TMemoryStream::~TMemoryStream() { Release(); }

void TMemoryStream::FailRead() { throw Error(StreamReadError); }

void TMemoryStream::Seek(int64_t position) {
  if (position < 0) FailRead();
  position_ = position;
}

void TMemoryStream::Write(const void* source, int64_t count) {
  RequireOwned();
  if (count < 0 || count > MaxOwnedSize - position_) FailGrow();
  if (count == 0) return;
  const int64_t end = position_ + count;
  if (end > size_) {
    source = ReserveFor(source, end);
    if (position_ > size_) std::memset(owned_ + size_, 0, static_cast<size_t>(position_ - size_));
    size_ = end;
  }
  std::memmove(owned_ + position_, source, static_cast<size_t>(count));
  position_ = end;
}

void TMemoryStream::SetSize(int64_t size) {
  RequireOwned();
  if (size < 0 || size > MaxOwnedSize) FailGrow();
  if (size > size_) {
    Reserve(size);
    std::memset(owned_ + size_, 0, static_cast<size_t>(size - size_));
  }
  size_ = size;
  position_ = std::min(position_, size_);
}

void TMemoryStream::Assign(const void* source, int64_t count) {
  RequireOwned();
  if (count < 0 || count > MaxOwnedSize) FailGrow();
  if (count > 0) {
    const void* bytes = ReserveFor(source, count);
    std::memmove(owned_, bytes, static_cast<size_t>(count));
  }
  size_ = count;
  position_ = count;
}

void TMemoryStream::Clear() {
  Release();
  data_ = nullptr;
  size_ = 0;
  capacity_ = 0;
  position_ = 0;
  attached_ = false;
}

void TMemoryStream::CopyFrom(TMemoryStream& source, int64_t count) {
  const int64_t start = count == 0 ? 0 : source.position_;
  if (count == 0) count = source.size_;
  if (count < 0 || count > source.size_ - start) FailRead();
  Write(source.data_ + start, count);
  source.position_ = start + count;
}

void TMemoryStream::SaveTo(TMemoryStream& target) const { target.Write(data_, size_); }

void TMemoryStream::AttachBlock(const uint8_t* block, int64_t size) {
  if (size < 0) FailRead();
  Release();
  data_ = block;
  size_ = size;
  capacity_ = size;
  position_ = 0;
  attached_ = true;
}

void TMemoryStream::Reserve(int64_t capacity) {
  if (capacity <= capacity_) return;
  // Grows by half again at least, so that appending stays linear; short
  // of memory for that, by just what is asked.
  int64_t granted = std::max(capacity, std::min(MaxOwnedSize, capacity_ + capacity_ / 2));
  void* grown = std::realloc(owned_, static_cast<size_t>(granted));
  if (grown == nullptr) {
    granted = capacity;
    grown = std::realloc(owned_, static_cast<size_t>(granted));
  }
  if (grown == nullptr) FailGrow();
  owned_ = static_cast<uint8_t*>(grown);
  data_ = owned_;
  capacity_ = granted;
}

const void* TMemoryStream::ReserveFor(const void* source, int64_t capacity) {
  const std::optional<int64_t> sourceOffset = OffsetWithin(source, owned_, capacity_);
  Reserve(capacity);
  return sourceOffset ? owned_ + *sourceOffset : source;
}

void TMemoryStream::RequireOwned() const {
  if (attached_) throw Error(StreamWriteError);
}

void TMemoryStream::Release() {
  std::free(owned_);
  owned_ = nullptr;
}

}  // namespace kavu32

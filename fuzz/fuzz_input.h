// The layout of a fuzzer input: a fixed block of control bytes that steer
// the calls, then the table image. The seed corpus writer composes inputs
// with the same layout.
#ifndef KAVU32_FUZZ_FUZZ_INPUT_H
#define KAVU32_FUZZ_FUZZ_INPUT_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace kavu32::fuzz {

// Table image fuzzer: up to three search values, each of a kind chosen by
// a selector byte, all made from one 32-bit number.
namespace table_control {
inline constexpr size_t ValueCount = 0;  // count mod 4
inline constexpr size_t Kinds = 1;       // three selector bytes
inline constexpr size_t Number = 4;      // int32, little-endian
inline constexpr size_t Size = 8;
inline constexpr size_t MaxValues = 3;
}  // namespace table_control

// Library fuzzer: the birth date as given to SetDateAndName (any values,
// invalid dates included) and the slot of the fuzzed table: the n-th
// standard table file (by name) that it replaces, or an additional file.
namespace library_control {
inline constexpr size_t Year = 0;  // uint16, little-endian
inline constexpr size_t Month = 2;
inline constexpr size_t Day = 3;
inline constexpr size_t Slot = 4;
inline constexpr size_t Size = 5;
}  // namespace library_control

template <size_t ControlSize>
struct SteeredInput {
  // Zero-padded when the input is shorter.
  std::array<uint8_t, ControlSize> Control{};
  std::span<const uint8_t> Image;

  SteeredInput(const uint8_t* data, size_t size) {
    const size_t control = std::min(size, ControlSize);
    if (control > 0) std::memcpy(Control.data(), data, control);
    Image = {data + control, size - control};
  }

  uint16_t Uint16At(size_t offset) const {
    return static_cast<uint16_t>(Control[offset] | Control[offset + 1] << 8);
  }
  int32_t Int32At(size_t offset) const {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(Control[offset + i]) << (8 * i);
    return static_cast<int32_t>(value);
  }
};

// An input made of control bytes and an image.
inline std::vector<uint8_t> ComposeInput(std::span<const uint8_t> control, std::span<const uint8_t> image) {
  std::vector<uint8_t> input(control.begin(), control.end());
  input.insert(input.end(), image.begin(), image.end());
  return input;
}

}  // namespace kavu32::fuzz

#endif

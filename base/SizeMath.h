#pragma once
// Overflow-checked size arithmetic for picture buffers. Every size taken from a
// file goes through these before memory is reserved or data is indexed, so a
// lying header can only be refused, never wrap around into a short buffer.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kov {

// Larger pictures are refused as absurd: a thumbnail is 120 x 120, and a whole
// photograph as a BMP stays far below these.
constexpr uint32_t kMaxPictureSide = 65535;
constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 26;

inline std::optional<size_t> CheckedMul(size_t a, size_t b) {
  size_t r;
  if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
  return r;
}

inline std::optional<size_t> CheckedAdd(size_t a, size_t b) {
  size_t r;
  if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
  return r;
}

// True for a picture size worth allocating: both sides positive and bounded.
inline bool IsSanePictureSize(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Bytes in one stored row of a DIB: width * bits rounded up to whole 32-bit words.
// Only called with sizes that passed IsSanePictureSize, so it cannot overflow.
inline size_t DibRowStride(uint32_t width, uint32_t bitCount) {
  return ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
}

}  // namespace kov

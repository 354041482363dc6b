#pragma once
// The packed device-independent bitmap (DIB) that captures are held in: one
// block of a 40-byte BITMAPINFOHEADER, the colour table, then the pixel rows,
// each padded to a multiple of 4 bytes. Captures are 24-bit and bottom-up.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kov {

// Entries in the colour table of the DIB whose header starts at `header`
// (`size` bytes available): biClrUsed when set in a 40-byte header, else 2, 16
// or 256 for 1, 4 and 8 bits, and 0 for deeper pictures.
size_t DibNumColors(const uint8_t* header, size_t size);
// Bytes of that colour table: 4 per entry, 3 under a 12-byte core header.
size_t DibColorTableSize(const uint8_t* header, size_t size);

// Byte order of the pixels handed to MakeDib24.
enum class PixelLayout {
  kRgb,   // 3 bytes: red, green, blue
  kRgba,  // 4 bytes: red, green, blue, alpha (alpha ignored)
  kBgra,  // 4 bytes: blue, green, red, alpha (a cairo image surface on little-endian)
};

// A pixel buffer of top-down rows, rowBytes apart.
struct PixelBuffer {
  const uint8_t* pixels = nullptr;
  uint32_t width = 0;
  uint32_t height = 0;
  size_t rowBytes = 0;
  PixelLayout layout = PixelLayout::kRgb;
};

// Makes a 24-bit bottom-up DIB of the buffer's rectangle starting at (left, top)
// of the given size. False for an empty or absurd size, a rectangle outside the
// buffer, or rows shorter than the layout needs.
bool MakeDib24(const PixelBuffer& source, uint32_t left, uint32_t top, uint32_t width,
               uint32_t height, std::vector<uint8_t>* dib);

}  // namespace kov

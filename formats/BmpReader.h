#pragma once
// Reading BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel (bit fields
// included) into plain RGB pixels. Compressed BMPs (RLE, embedded JPEG or PNG)
// are refused. Every offset and size read from the file is checked against the
// data before it is used.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kov {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kBmpInfoHeaderSize = 40;
constexpr size_t kBmpCoreHeaderSize = 12;

// The checked facts of a BMP's headers.
struct BmpLayout {
  uint32_t headerSize = 0;   // 12 (core) or 40 and more
  uint32_t width = 0;
  int32_t height = 0;        // as stored: positive for bottom-up rows
  uint32_t rows = 0;         // |height|
  uint16_t bitCount = 0;
  uint32_t compression = kBiRgb;
  size_t stride = 0;         // bytes per stored row
  size_t pixelOffset = 0;    // where row 0 of the file starts
  size_t tableOffset = 0;    // colour table (1, 4 and 8 bits only)
  size_t tableEntries = 0;
  size_t tableEntrySize = 4; // 3 for a core header
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue for 16 and 32 bits
};

// Parses and checks the headers: signature, sane size, supported depth and
// compression, colour table and every pixel row inside the data. False with a
// reason in *error otherwise.
bool ParseBmpLayout(const uint8_t* data, size_t size, BmpLayout* layout, std::string* error);

// A picture as 8-bit red, green, blue triples, rows in the order the file stores
// them (bottom-up when height > 0), no padding.
struct RgbImage {
  uint32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
};

// Decodes a whole BMP file image. Palette indices beyond the colour table read
// as black, as the system's own BMP loader does.
bool ReadBmpImage(const uint8_t* data, size_t size, RgbImage* image, std::string* error);

}  // namespace kov

#include "formats/CaptureBmp.h"

#include <cstdint>
#include <vector>

#include "formats/BmpWriter.h"

namespace kov {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;  // BITMAPFILEHEADER in front of the DIB

uint32_t ReadLe32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint16_t ReadLe16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

bool BmpFileFromDib(const std::string& dib, std::string* bmp) {
  if (dib.size() < kInfoHeaderSize || ReadLe32(dib, 0) != kInfoHeaderSize) return false;
  int32_t width = static_cast<int32_t>(ReadLe32(dib, 4));
  int32_t height = static_cast<int32_t>(ReadLe32(dib, 8));
  uint16_t bitCount = ReadLe16(dib, 14);
  uint32_t compression = ReadLe32(dib, 16);
  if (width <= 0 || height <= 0 || width > kMaxCaptureSide || height > kMaxCaptureSide) return false;
  if ((bitCount != 24 && bitCount != 32) || compression != 0 || ReadLe32(dib, 32) != 0) return false;
  // Sides of at most 4096 keep every product below 2^32.
  uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  if (dib.size() < kInfoHeaderSize + stride * static_cast<uint64_t>(height)) return false;
  if (dib.size() > UINT32_MAX - kFileHeaderSize) return false;

  std::vector<uint8_t> file = MakeBmpFileImage(std::vector<uint8_t>(dib.begin(), dib.end()));
  bmp->assign(file.begin(), file.end());
  return true;
}

}  // namespace kov

#include "formats/Dib.h"

#include "base/ByteOrder.h"
#include "base/SizeMath.h"
#include "formats/BmpReader.h"

namespace kov {

size_t DibNumColors(const uint8_t* header, size_t size) {
  if (size < kBmpCoreHeaderSize) return 0;
  uint32_t headerSize = GetLe32(header);
  bool core = headerSize == kBmpCoreHeaderSize;
  if (!core && (headerSize < kBmpInfoHeaderSize || size < kBmpInfoHeaderSize)) return 0;
  uint16_t bits = core ? GetLe16(header + 10) : GetLe16(header + 14);
  if (headerSize == kBmpInfoHeaderSize && GetLe32(header + 32) != 0) return GetLe32(header + 32);
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

size_t DibColorTableSize(const uint8_t* header, size_t size) {
  bool core = size >= 4 && GetLe32(header) == kBmpCoreHeaderSize;
  return DibNumColors(header, size) * (core ? 3 : 4);
}

namespace {

size_t BytesPerPixel(PixelLayout layout) { return layout == PixelLayout::kRgb ? 3 : 4; }

void PutInfoHeader24(uint32_t width, uint32_t height, uint32_t imageSize,
                     std::vector<uint8_t>* dib) {
  PutLe32(dib, kBmpInfoHeaderSize);
  PutLe32(dib, width);
  PutLe32(dib, height);  // positive: rows run bottom-up
  PutLe16(dib, 1);
  PutLe16(dib, 24);
  PutLe32(dib, kBiRgb);
  PutLe32(dib, imageSize);
  for (int i = 0; i < 4; ++i) PutLe32(dib, 0);  // resolution, colours used, important
}

void ConvertRow(const uint8_t* in, uint32_t width, PixelLayout layout, uint8_t* out) {
  size_t step = BytesPerPixel(layout);
  bool bgr = layout == PixelLayout::kBgra;
  for (uint32_t x = 0; x < width; ++x, in += step, out += 3) {
    out[0] = bgr ? in[0] : in[2];
    out[1] = in[1];
    out[2] = bgr ? in[2] : in[0];
  }
}

}  // namespace

bool MakeDib24(const PixelBuffer& src, uint32_t left, uint32_t top, uint32_t width,
               uint32_t height, std::vector<uint8_t>* dib) {
  if (!src.pixels || !IsSanePictureSize(width, height)) return false;
  if (uint64_t{left} + width > src.width || uint64_t{top} + height > src.height) return false;
  auto rowNeed = CheckedMul(src.width, BytesPerPixel(src.layout));
  if (!rowNeed || src.rowBytes < *rowNeed) return false;
  size_t stride = DibRowStride(width, 24);
  size_t imageSize = stride * height;  // bounded by IsSanePictureSize
  dib->clear();
  dib->reserve(kBmpInfoHeaderSize + imageSize);
  PutInfoHeader24(width, height, static_cast<uint32_t>(imageSize), dib);
  dib->resize(kBmpInfoHeaderSize + imageSize, 0);  // padding bytes stay 0
  size_t offsetInRow = size_t{left} * BytesPerPixel(src.layout);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* in = src.pixels + src.rowBytes * (top + y) + offsetInRow;
    uint8_t* out = dib->data() + kBmpInfoHeaderSize + stride * (height - 1 - y);
    ConvertRow(in, width, src.layout, out);
  }
  return true;
}

}  // namespace kov

#include "formats/BmpReader.h"

#include <algorithm>

#include "base/ByteOrder.h"
#include "base/Fail.h"
#include "base/SizeMath.h"

namespace kov {
namespace {

bool IsSupportedDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A usable channel mask is one run of set bits inside the pixel.
bool IsContiguousMask(uint32_t mask) {
  if (mask == 0) return false;
  uint32_t low = mask >> __builtin_ctz(mask);
  return (low & (low + 1)) == 0;
}

bool ReadSizeFields(const uint8_t* info, BmpLayout* l, std::string* error) {
  int64_t width, height;
  if (l->headerSize == kBmpCoreHeaderSize) {
    width = GetLe16(info + 4);
    height = GetLe16(info + 6);
    if (GetLe16(info + 8) != 1) return Fail(error, "BMP has more than one plane");
    l->bitCount = GetLe16(info + 10);
  } else {
    width = GetLe32Signed(info + 4);
    height = GetLe32Signed(info + 8);
    if (GetLe16(info + 12) != 1) return Fail(error, "BMP has more than one plane");
    l->bitCount = GetLe16(info + 14);
    l->compression = GetLe32(info + 16);
  }
  int64_t rows = height < 0 ? -height : height;
  if (width <= 0 || !IsSanePictureSize(static_cast<uint64_t>(width), static_cast<uint64_t>(rows)))
    return Fail(error, "BMP has a zero, negative or absurd size");
  l->width = static_cast<uint32_t>(width);
  l->height = static_cast<int32_t>(height);
  l->rows = static_cast<uint32_t>(rows);
  return true;
}

bool ReadMasks(const uint8_t* data, size_t size, BmpLayout* l, std::string* error) {
  if (l->bitCount == 16) {
    l->masks[0] = 0x7C00, l->masks[1] = 0x03E0, l->masks[2] = 0x001F;
  } else if (l->bitCount == 32) {
    l->masks[0] = 0xFF0000, l->masks[1] = 0xFF00, l->masks[2] = 0xFF;
  }
  if (l->compression != kBiBitfields) return true;
  // A 40-byte header is followed by the three masks; longer headers hold them.
  size_t at = kBmpFileHeaderSize + kBmpInfoHeaderSize;
  if (at + 12 > size) return Fail(error, "BMP bit fields are cut short");
  uint32_t all = 0;
  uint32_t limit = l->bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  for (int c = 0; c < 3; ++c) {
    uint32_t mask = GetLe32(data + at + 4 * c);
    if (!IsContiguousMask(mask) || mask > limit || (all & mask))
      return Fail(error, "BMP bit fields are not three separate runs of bits");
    all |= mask;
    l->masks[c] = mask;
  }
  return true;
}

bool CheckCompression(BmpLayout* l, std::string* error) {
  if (!IsSupportedDepth(l->bitCount)) return Fail(error, "BMP depth is not 1, 4, 8, 16, 24 or 32");
  if (l->compression == kBiRgb) return true;
  if (l->compression == kBiBitfields && (l->bitCount == 16 || l->bitCount == 32)) return true;
  return Fail(error, "BMP is compressed (RLE, JPEG or PNG)");
}

bool PlaceColourTable(const uint8_t* info, size_t size, BmpLayout* l, std::string* error) {
  l->tableOffset = kBmpFileHeaderSize + l->headerSize;
  if (l->headerSize == kBmpInfoHeaderSize && l->compression == kBiBitfields) l->tableOffset += 12;
  if (l->bitCount > 8) return true;
  size_t full = size_t{1} << l->bitCount;
  l->tableEntrySize = l->headerSize == kBmpCoreHeaderSize ? 3 : 4;
  uint32_t used = l->headerSize == kBmpCoreHeaderSize ? 0 : GetLe32(info + 32);
  l->tableEntries = (used == 0 || used > full) ? full : used;
  // A table of implicit size is the full one, but a file may store fewer entries and
  // start its pixels right after them: the table is then what lies before the pixels,
  // never the pixels read as colours.
  const uint8_t* file = info - kBmpFileHeaderSize;  // the info header follows the file header
  size_t pixels = GetLe32(file + 10);
  if (used == 0 && pixels > l->tableOffset)
    l->tableEntries = std::min(full, (pixels - l->tableOffset) / l->tableEntrySize);
  // tableOffset is at most 14 + 2^32, entries at most 256: no overflow in size_t.
  if (l->tableOffset + l->tableEntries * l->tableEntrySize > size)
    return Fail(error, "BMP colour table runs past the end of the file");
  return true;
}

bool PlacePixels(const uint8_t* data, size_t size, BmpLayout* l, std::string* error) {
  l->pixelOffset = GetLe32(data + 10);
  l->stride = DibRowStride(l->width, l->bitCount);
  if (l->pixelOffset < kBmpFileHeaderSize + l->headerSize)
    return Fail(error, "BMP pixel offset points into the headers");
  auto bytes = CheckedMul(l->stride, l->rows);
  auto end = bytes ? CheckedAdd(l->pixelOffset, *bytes) : std::nullopt;
  if (!end || *end > size) return Fail(error, "BMP pixel rows run past the end of the file");
  return true;
}

struct Channel {
  uint32_t mask;
  int shift;
  int bits;
  uint8_t Extract(uint32_t pixel) const {
    uint32_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>(bits <= 8 ? v << (8 - bits) : v >> (bits - 8));
  }
};

Channel MakeChannel(uint32_t mask) {
  return Channel{mask, __builtin_ctz(mask), __builtin_popcount(mask)};
}

void DecodeIndexedRow(const uint8_t* row, const BmpLayout& l, const uint8_t* table,
                      uint8_t* out) {
  unsigned bits = l.bitCount;
  unsigned perByte = 8 / bits;
  unsigned valueMask = (1u << bits) - 1;
  for (uint32_t x = 0; x < l.width; ++x) {
    unsigned shift = 8 - bits * (x % perByte + 1);
    unsigned index = (row[x / perByte] >> shift) & valueMask;
    if (index < l.tableEntries) {
      const uint8_t* e = table + index * l.tableEntrySize;
      out[0] = e[2], out[1] = e[1], out[2] = e[0];
    } else {
      out[0] = out[1] = out[2] = 0;
    }
    out += 3;
  }
}

void DecodeMaskedRow(const uint8_t* row, const BmpLayout& l, const Channel* ch, uint8_t* out) {
  for (uint32_t x = 0; x < l.width; ++x) {
    uint32_t p = l.bitCount == 16 ? GetLe16(row + 2 * x) : GetLe32(row + 4 * x);
    out[0] = ch[0].Extract(p), out[1] = ch[1].Extract(p), out[2] = ch[2].Extract(p);
    out += 3;
  }
}

void DecodeBgrRow(const uint8_t* row, const BmpLayout& l, uint8_t* out) {
  for (uint32_t x = 0; x < l.width; ++x, row += 3, out += 3)
    out[0] = row[2], out[1] = row[1], out[2] = row[0];
}

}  // namespace

bool ParseBmpLayout(const uint8_t* data, size_t size, BmpLayout* l, std::string* error) {
  *l = BmpLayout{};
  if (size < kBmpFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
    return Fail(error, "not a BMP file");
  const uint8_t* info = data + kBmpFileHeaderSize;
  l->headerSize = GetLe32(info);
  if (l->headerSize != kBmpCoreHeaderSize && l->headerSize < kBmpInfoHeaderSize)
    return Fail(error, "BMP header size is unknown");
  if (l->headerSize > size - kBmpFileHeaderSize) return Fail(error, "BMP header is cut short");
  return ReadSizeFields(info, l, error) && CheckCompression(l, error) &&
         ReadMasks(data, size, l, error) && PlaceColourTable(info, size, l, error) &&
         PlacePixels(data, size, l, error);
}

bool ReadBmpImage(const uint8_t* data, size_t size, RgbImage* image, std::string* error) {
  BmpLayout l;
  if (!ParseBmpLayout(data, size, &l, error)) return false;
  image->width = l.width;
  image->height = l.height;
  size_t rowBytes = size_t{3} * l.width;
  image->rgb.resize(rowBytes * l.rows);
  Channel channels[3] = {};
  if (l.bitCount == 16 || l.bitCount == 32)
    for (int c = 0; c < 3; ++c) channels[c] = MakeChannel(l.masks[c]);
  for (uint32_t y = 0; y < l.rows; ++y) {
    const uint8_t* row = data + l.pixelOffset + l.stride * y;
    uint8_t* out = image->rgb.data() + rowBytes * y;
    if (l.bitCount <= 8)
      DecodeIndexedRow(row, l, data + l.tableOffset, out);
    else if (l.bitCount == 24)
      DecodeBgrRow(row, l, out);
    else
      DecodeMaskedRow(row, l, channels, out);
  }
  return true;
}

}  // namespace kov

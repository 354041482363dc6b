#include "thumbs/GifWriter.h"

#include <algorithm>

#include "thumbs/BmpReader.h"
#include "thumbs/ByteOrder.h"
#include "thumbs/FileBytes.h"
#include "thumbs/GifLzw.h"

namespace kov {
namespace {

bool Fail(std::string* error, const char* text) {
  if (error) *error = text;
  return false;
}

// An 8-bit uncompressed BMP with its colour table read the way the GIF section
// of the format takes it: whatever lies between the headers and the pixels.
struct Bmp8 {
  BmpLayout layout;
  RgbColor table[256] = {};  // entries past the file's table are black
};

bool ReadBmp8(const std::vector<uint8_t>& bmp, Bmp8* out, std::string* error) {
  if (!ParseBmpLayout(bmp.data(), bmp.size(), &out->layout, error)) return false;
  const BmpLayout& l = out->layout;
  if (l.bitCount != 8 || l.headerSize < kBmpInfoHeaderSize || l.compression != kBiRgb)
    return Fail(error, "BMP is not an uncompressed 8-bit picture");
  size_t tableStart = kBmpFileHeaderSize + l.headerSize;
  size_t entries = (l.pixelOffset - tableStart) / 4;  // pixelOffset >= tableStart: checked
  if (entries > 256) return Fail(error, "BMP colour table has more than 256 entries");
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* e = bmp.data() + tableStart + 4 * i;
    out->table[i] = {e[2], e[1], e[0]};
  }
  return true;
}

const uint8_t* StoredRow(const std::vector<uint8_t>& bmp, const BmpLayout& l, uint32_t row) {
  return bmp.data() + l.pixelOffset + l.stride * row;
}

// Marks the used indices, gives the k-th used index GIF index k, and returns the
// GIF colours in that order.
std::vector<RgbColor> CountColors(const std::vector<uint8_t>& bmp, const Bmp8& b,
                                  uint8_t indexMap[256]) {
  bool used[256] = {};
  for (uint32_t row = 0; row < b.layout.rows; ++row) {
    const uint8_t* p = StoredRow(bmp, b.layout, row);
    for (uint32_t x = 0; x < b.layout.width; ++x) used[p[x]] = true;
  }
  std::vector<RgbColor> colors;
  for (int i = 0; i < 256; ++i) {
    indexMap[i] = 0;
    if (!used[i]) continue;
    indexMap[i] = static_cast<uint8_t>(colors.size());
    colors.push_back(b.table[i]);
  }
  return colors;
}

// GIF pixels run from the top row; a bottom-up BMP stores the top row last.
std::vector<uint8_t> MapPixels(const std::vector<uint8_t>& bmp, const BmpLayout& l,
                               const uint8_t indexMap[256]) {
  std::vector<uint8_t> pixels(size_t{l.width} * l.rows);
  uint8_t* out = pixels.data();
  for (uint32_t y = 0; y < l.rows; ++y) {
    uint32_t stored = l.height > 0 ? l.rows - 1 - y : y;
    const uint8_t* p = StoredRow(bmp, l, stored);
    for (uint32_t x = 0; x < l.width; ++x) *out++ = indexMap[p[x]];
  }
  return pixels;
}

int BitsFor(size_t colorCount) {
  int bits = 1;
  while ((size_t{1} << bits) < colorCount) ++bits;
  return bits;
}

}  // namespace

std::vector<uint8_t> CGifWriter::WriteGif(uint32_t width, uint32_t height, int bits,
                                          const std::vector<RgbColor>& colors,
                                          const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '7', 'a'};
  gif.reserve(800 + pixels.size());
  PutLe16(&gif, width);
  PutLe16(&gif, height);
  gif.push_back(static_cast<uint8_t>(0x80 + (bits - 1) * 16 + (bits - 1)));
  gif.push_back(0);  // background colour index
  gif.push_back(0);  // pixel aspect ratio
  for (size_t i = 0; i < (size_t{1} << bits); ++i) {
    RgbColor c = i < colors.size() ? colors[i] : RgbColor{0, 0, 0};
    gif.insert(gif.end(), c.begin(), c.end());
  }
  gif.push_back(',');
  PutLe16(&gif, 0);
  PutLe16(&gif, 0);
  PutLe16(&gif, width);
  PutLe16(&gif, height);
  gif.push_back(0);  // no local colour table, not interlaced
  int minCodeSize = std::max(bits, 2);
  gif.push_back(static_cast<uint8_t>(minCodeSize));
  CGifLzwEncoder encoder;
  encoder.Compress(pixels.data(), pixels.size(), minCodeSize, &gif);
  gif.push_back(0);  // block terminator
  gif.push_back(';');
  return gif;
}

bool CGifWriter::ConvertBmp(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                            std::string* error) {
  Bmp8 b;
  if (!ReadBmp8(bmp, &b, error)) return false;
  // The logical screen holds 16-bit sizes.
  if (b.layout.width > 0xFFFF || b.layout.rows > 0xFFFF)
    return Fail(error, "picture is too large for a GIF");
  uint8_t indexMap[256];
  std::vector<RgbColor> colors = CountColors(bmp, b, indexMap);
  int bits = BitsFor(std::max<size_t>(colors.size(), 2));
  *gif = WriteGif(b.layout.width, b.layout.rows, bits, colors, MapPixels(bmp, b.layout, indexMap));
  return true;
}

bool CGifWriter::ConvertBmpFile(const std::string& bmpPath, const std::string& gifPath,
                                std::string* error) {
  std::vector<uint8_t> bmp, gif;
  if (!ReadFileBytes(bmpPath, &bmp, error)) return false;
  if (!ConvertBmp(bmp, &gif, error)) {
    if (error) *error = bmpPath + ": " + *error;
    return false;
  }
  return WriteFileAtomically(gifPath, gif, error);
}

}  // namespace kov

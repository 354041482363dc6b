#include "formats/GifWriter.h"

#include <algorithm>

#include "base/ByteOrder.h"
#include "base/Fail.h"
#include "base/FileBytes.h"
#include "formats/BmpReader.h"
#include "formats/GifLzw.h"

namespace kov {
namespace {

// An 8-bit uncompressed BMP and its colour table: every 4-byte entry between the
// headers and the pixels, whatever count the header gives; more than 256 is refused.
bool ReadBmp8(const std::vector<uint8_t>& bmp, BmpLayout* l, std::vector<RgbTriple>* table,
              std::string* error) {
  if (!ParseBmpLayout(bmp.data(), bmp.size(), l, error)) return false;
  if (l->bitCount != 8 || l->headerSize < kBmpInfoHeaderSize || l->compression != kBiRgb)
    return Fail(error, "BMP is not an uncompressed 8-bit picture");
  size_t tableStart = kBmpFileHeaderSize + l->headerSize;
  size_t entries = (l->pixelOffset - tableStart) / 4;  // pixelOffset >= tableStart: checked
  if (entries > 256) return Fail(error, "BMP colour table has more than 256 entries");
  table->resize(entries);
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* e = bmp.data() + tableStart + 4 * i;
    (*table)[i] = {e[2], e[1], e[0]};
  }
  return true;
}

// Rows of an 8-bit picture as stored.
struct StoredPicture {
  uint32_t width, rows;
  bool bottomUp;
  const uint8_t* data;
  size_t stride;
  const uint8_t* Row(uint32_t row) const { return data + stride * row; }
};

// Marks the used indices, gives the k-th used index GIF index k, and returns the
// GIF colours in that order.
std::vector<RgbTriple> CountColors(const StoredPicture& p, const std::vector<RgbTriple>& table,
                                  uint8_t indexMap[256]) {
  bool used[256] = {};
  for (uint32_t row = 0; row < p.rows; ++row) {
    const uint8_t* r = p.Row(row);
    for (uint32_t x = 0; x < p.width; ++x) used[r[x]] = true;
  }
  std::vector<RgbTriple> colors;
  for (size_t i = 0; i < 256; ++i) {
    indexMap[i] = 0;
    if (!used[i]) continue;
    indexMap[i] = static_cast<uint8_t>(colors.size());
    colors.push_back(i < table.size() ? table[i] : RgbTriple{0, 0, 0});
  }
  return colors;
}

// GIF pixels run from the top row; a bottom-up BMP stores the top row last.
std::vector<uint8_t> MapPixels(const StoredPicture& p, const uint8_t indexMap[256]) {
  std::vector<uint8_t> pixels(size_t{p.width} * p.rows);
  uint8_t* out = pixels.data();
  for (uint32_t y = 0; y < p.rows; ++y) {
    const uint8_t* r = p.Row(p.bottomUp ? p.rows - 1 - y : y);
    for (uint32_t x = 0; x < p.width; ++x) *out++ = indexMap[r[x]];
  }
  return pixels;
}

// The screen descriptor's packed byte: a global colour table of 2^bits entries, a
// colour resolution of as many bits, the colours not sorted by use.
uint8_t ScreenDescriptorFlags(int bits) {
  constexpr uint8_t kGlobalColorTable = 0x80;  // bit 7
  const uint8_t colorResolution = static_cast<uint8_t>((bits - 1) << 4);  // bits 6 to 4
  constexpr uint8_t kSortedByUse = 0x00;  // bit 3
  const uint8_t tableSize = static_cast<uint8_t>(bits - 1);  // bits 2 to 0: 2^(size + 1) entries
  return kGlobalColorTable | colorResolution | kSortedByUse | tableSize;
}

int BitsFor(size_t colorCount) {
  int bits = 1;
  while ((size_t{1} << bits) < colorCount) ++bits;
  return bits;
}

}  // namespace

std::vector<uint8_t> CGifWriter::WriteGif(uint32_t width, uint32_t height, int bits,
                                          const std::vector<RgbTriple>& colors,
                                          const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '7', 'a'};
  gif.reserve(800 + pixels.size());
  PutLe16(&gif, width);
  PutLe16(&gif, height);
  gif.push_back(ScreenDescriptorFlags(bits));
  gif.push_back(0);  // background colour index
  gif.push_back(0);  // pixel aspect ratio
  for (size_t i = 0; i < (size_t{1} << bits); ++i) {
    RgbTriple c = i < colors.size() ? colors[i] : RgbTriple{0, 0, 0};
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

bool CGifWriter::ConvertIndexed(uint32_t width, uint32_t rows, bool bottomUp,
                                const std::vector<RgbTriple>& table, const uint8_t* storedRows,
                                size_t stride, std::vector<uint8_t>* gif, std::string* error) {
  // The logical screen holds 16-bit sizes.
  if (width > 0xFFFF || rows > 0xFFFF) return Fail(error, "picture is too large for a GIF");
  StoredPicture p{width, rows, bottomUp, storedRows, stride};
  uint8_t indexMap[256];
  std::vector<RgbTriple> colors = CountColors(p, table, indexMap);
  int bits = BitsFor(std::max<size_t>(colors.size(), 2));
  *gif = WriteGif(width, rows, bits, colors, MapPixels(p, indexMap));
  return true;
}

bool CGifWriter::ConvertBmp(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                            std::string* error) {
  BmpLayout l;
  std::vector<RgbTriple> table;
  if (!ReadBmp8(bmp, &l, &table, error)) return false;
  return ConvertIndexed(l.width, l.rows, l.height > 0, table, bmp.data() + l.pixelOffset,
                        l.stride, gif, error);
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

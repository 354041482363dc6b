#pragma once
// Pictures for the format tests: RGB test patterns, BMP encodings of them at
// every depth the reader takes (written here byte by byte, independently of the
// reader), and GIF decoding through giflib.
#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace samples {

// Top-down RGB pixels.
struct Picture {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* At(uint32_t x, uint32_t y) const { return &rgb[(size_t{y} * width + x) * 3]; }
};

inline Picture Flat(uint32_t w, uint32_t h, uint8_t r, uint8_t g, uint8_t b) {
  Picture p{w, h, {}};
  for (size_t i = 0; i < size_t{w} * h; ++i) p.rgb.insert(p.rgb.end(), {r, g, b});
  return p;
}

inline Picture Gradient(uint32_t w, uint32_t h) {
  Picture p{w, h, {}};
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      p.rgb.insert(p.rgb.end(), {uint8_t(x * 255 / (w > 1 ? w - 1 : 1)),
                                 uint8_t(y * 255 / (h > 1 ? h - 1 : 1)), uint8_t((x + y) / 2)});
  return p;
}

inline Picture Noise(uint32_t w, uint32_t h, unsigned seed) {
  std::mt19937 rng(seed);
  Picture p{w, h, {}};
  for (size_t i = 0; i < size_t{w} * h * 3; ++i) p.rgb.push_back(uint8_t(rng()));
  return p;
}

inline void Le16(std::vector<uint8_t>* v, uint32_t x) {
  v->push_back(uint8_t(x));
  v->push_back(uint8_t(x >> 8));
}
inline void Le32(std::vector<uint8_t>* v, uint32_t x) {
  Le16(v, x & 0xFFFF);
  Le16(v, x >> 16);
}

// Headers of a bottom-up BMP with a 40-byte info header; `extra` bytes (colour
// table or bit fields) follow the header, then the rows.
inline std::vector<uint8_t> BmpHeaders(uint32_t w, int32_t h, int bits, uint32_t compression,
                                       const std::vector<uint8_t>& extra, size_t imageSize,
                                       uint32_t clrUsed = 0) {
  std::vector<uint8_t> v = {'B', 'M'};
  Le32(&v, uint32_t(54 + extra.size() + imageSize));
  Le32(&v, 0);
  Le32(&v, uint32_t(54 + extra.size()));
  Le32(&v, 40);
  Le32(&v, w);
  Le32(&v, uint32_t(h));
  Le16(&v, 1);
  Le16(&v, uint16_t(bits));
  Le32(&v, compression);
  Le32(&v, uint32_t(imageSize));
  Le32(&v, 0);
  Le32(&v, 0);
  Le32(&v, clrUsed);
  Le32(&v, 0);
  v.insert(v.end(), extra.begin(), extra.end());
  return v;
}

inline size_t Stride(uint32_t w, int bits) { return ((size_t{w} * bits + 31) / 32) * 4; }

// 24-bit BGR rows.
inline std::vector<uint8_t> Bmp24(const Picture& p) {
  size_t stride = Stride(p.width, 24);
  std::vector<uint8_t> v = BmpHeaders(p.width, int32_t(p.height), 24, 0, {}, stride * p.height);
  for (uint32_t y = p.height; y-- > 0;) {
    size_t start = v.size();
    for (uint32_t x = 0; x < p.width; ++x) v.insert(v.end(), {p.At(x, y)[2], p.At(x, y)[1], p.At(x, y)[0]});
    v.resize(start + stride, 0);
  }
  return v;
}

// 32-bit pixels with the default masks (0x00RRGGBB), or with bit fields that put
// red in the top byte (0xRRGGBB00).
inline std::vector<uint8_t> Bmp32(const Picture& p, bool bitfields) {
  std::vector<uint8_t> masks;
  if (bitfields) Le32(&masks, 0xFF000000), Le32(&masks, 0xFF0000), Le32(&masks, 0xFF00);
  std::vector<uint8_t> v = BmpHeaders(p.width, int32_t(p.height), 32, bitfields ? 3 : 0, masks,
                                      size_t{4} * p.width * p.height);
  for (uint32_t y = p.height; y-- > 0;)
    for (uint32_t x = 0; x < p.width; ++x) {
      const uint8_t* c = p.At(x, y);
      uint32_t px = (uint32_t(c[0]) << 16) | (c[1] << 8) | c[2];
      Le32(&v, bitfields ? px << 8 : px);
    }
  return v;
}

// 16-bit pixels: 5-5-5 by default or 5-6-5 with bit fields. Only the top 5 (or
// 6) bits of each channel survive, so use pictures whose low bits are 0.
inline std::vector<uint8_t> Bmp16(const Picture& p, bool rgb565) {
  std::vector<uint8_t> masks;
  if (rgb565) Le32(&masks, 0xF800), Le32(&masks, 0x07E0), Le32(&masks, 0x001F);
  size_t stride = Stride(p.width, 16);
  std::vector<uint8_t> v = BmpHeaders(p.width, int32_t(p.height), 16, rgb565 ? 3 : 0, masks,
                                      stride * p.height);
  for (uint32_t y = p.height; y-- > 0;) {
    size_t start = v.size();
    for (uint32_t x = 0; x < p.width; ++x) {
      const uint8_t* c = p.At(x, y);
      Le16(&v, rgb565 ? ((c[0] >> 3) << 11) | ((c[1] >> 2) << 5) | (c[2] >> 3)
                      : ((c[0] >> 3) << 10) | ((c[1] >> 3) << 5) | (c[2] >> 3));
    }
    v.resize(start + stride, 0);
  }
  return v;
}

// Indexed BMP (1, 4 or 8 bits) of a picture with few colours; the colour table
// lists the picture's colours in order of first appearance.
inline std::vector<uint8_t> BmpIndexed(const Picture& p, int bits) {
  std::vector<uint32_t> colors;
  std::vector<uint8_t> indices;
  for (size_t i = 0; i < size_t{p.width} * p.height; ++i) {
    uint32_t c = (p.rgb[3 * i] << 16) | (p.rgb[3 * i + 1] << 8) | p.rgb[3 * i + 2];
    size_t k = 0;
    while (k < colors.size() && colors[k] != c) ++k;
    if (k == colors.size()) colors.push_back(c);
    indices.push_back(uint8_t(k));
  }
  std::vector<uint8_t> table;
  for (uint32_t c : colors) Le32(&table, c);
  size_t stride = Stride(p.width, bits);
  std::vector<uint8_t> v = BmpHeaders(p.width, int32_t(p.height), bits, 0, table,
                                      stride * p.height, uint32_t(colors.size()));
  for (uint32_t y = p.height; y-- > 0;) {
    std::vector<uint8_t> row(stride, 0);
    for (uint32_t x = 0; x < p.width; ++x) {
      unsigned idx = indices[size_t{y} * p.width + x];
      unsigned perByte = 8 / bits;
      row[x / perByte] |= uint8_t(idx << (8 - bits * (x % perByte + 1)));
    }
    v.insert(v.end(), row.begin(), row.end());
  }
  return v;
}

// An 8-bit BMP with the given table (RGB triples) and top-down index rows.
inline std::vector<uint8_t> Bmp8(uint32_t w, uint32_t h, const std::vector<uint32_t>& rgbTable,
                                 const std::vector<uint8_t>& topDownIndices) {
  std::vector<uint8_t> table;
  for (uint32_t c : rgbTable) Le32(&table, c);
  size_t stride = Stride(w, 8);
  std::vector<uint8_t> v = BmpHeaders(w, int32_t(h), 8, 0, table, stride * h, uint32_t(rgbTable.size()));
  for (uint32_t y = h; y-- > 0;) {
    v.insert(v.end(), topDownIndices.begin() + size_t{y} * w, topDownIndices.begin() + size_t{y + 1} * w);
    v.resize(v.size() + stride - w, 0);
  }
  return v;
}

// A GIF decoded by giflib: sizes, the global colour table and the indices.
struct DecodedGif {
  bool ok = false;
  int width = 0, height = 0, colorCount = 0, bitsPerPixel = 0;
  std::vector<uint32_t> colors;  // 0xRRGGBB
  std::vector<uint8_t> indices;  // top-down
  uint32_t Rgb(size_t pixel) const { return colors[indices[pixel]]; }
};

struct MemoryReader {
  const std::vector<uint8_t>* data;
  size_t at;
};

inline int ReadFromMemory(GifFileType* gif, GifByteType* buf, int len) {
  auto* r = static_cast<MemoryReader*>(gif->UserData);
  size_t n = std::min<size_t>(size_t(len), r->data->size() - r->at);
  std::memcpy(buf, r->data->data() + r->at, n);
  r->at += n;
  return int(n);
}

inline DecodedGif DecodeGif(const std::vector<uint8_t>& bytes) {
  DecodedGif out;
  MemoryReader reader{&bytes, 0};
  int err = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &err);
  if (!gif) return out;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1 && gif->SColorMap) {
    out.ok = true;
    out.width = gif->SWidth, out.height = gif->SHeight;
    out.colorCount = gif->SColorMap->ColorCount;
    out.bitsPerPixel = gif->SColorMap->BitsPerPixel;
    for (int i = 0; i < out.colorCount; ++i) {
      GifColorType c = gif->SColorMap->Colors[i];
      out.colors.push_back((uint32_t(c.Red) << 16) | (c.Green << 8) | c.Blue);
    }
    const SavedImage& img = gif->SavedImages[0];
    out.indices.assign(img.RasterBits, img.RasterBits + img.ImageDesc.Width * img.ImageDesc.Height);
  }
  DGifCloseFile(gif, &err);
  return out;
}

// The JPEG file image with an EXIF block saying "orientation 6" put after its start
// marker: the picture is shown turned a quarter clockwise, so its left edge is on top.
inline std::string WithExifOrientation6(const std::string& jpeg) {
  static const char kExif[] =
      "\xFF\xE1\x00\x22"                     // APP1, 34 bytes
      "Exif\0\0"
      "II\x2A\0\x08\0\0\0"                   // little-endian TIFF, first directory at 8
      "\x01\0"                                // one entry:
      "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"  // orientation, one short, 6
      "\0\0\0\0";                           // no next directory
  return jpeg.substr(0, 2) + std::string(kExif, sizeof kExif - 1) + jpeg.substr(2);
}

}  // namespace samples

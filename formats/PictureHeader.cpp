#include "formats/PictureHeader.h"

#include <algorithm>
#include <cstring>

namespace kov {

namespace {

uint32_t Be16(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }
uint32_t Be32(const uint8_t* p) { return Be16(p) << 16 | Be16(p + 2); }
uint32_t Le16(const uint8_t* p) { return uint32_t(p[1]) << 8 | p[0]; }
uint32_t Le24(const uint8_t* p) { return uint32_t(p[2]) << 16 | Le16(p); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[3]) << 24 | Le24(p); }

bool Starts(const uint8_t* data, size_t size, const char* magic, size_t length) {
  return size >= length && std::memcmp(data, magic, length) == 0;
}

HeaderSize Known(int64_t width, int64_t height, PictureSize* out) {
  out->width = width, out->height = height;
  return HeaderSize::kKnown;
}

// Start-of-frame markers: C0 to CF except C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic conditioning).
bool IsFrameMarker(uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Walks the segments after SOI up to the frame header; a scan before it, or bytes
// that are no marker, leave the size to the decoder (which may skip such bytes).
HeaderSize JpegSize(const uint8_t* data, size_t size, PictureSize* out) {
  size_t at = 2;
  for (;;) {
    while (at < size && data[at] == 0xFF && at + 1 < size && data[at + 1] == 0xFF) ++at;  // fill
    if (at + 4 > size) return HeaderSize::kUnknown;
    if (data[at] != 0xFF) return HeaderSize::kUnknown;
    uint8_t code = data[at + 1];
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {  // markers without a length
      at += 2;
      continue;
    }
    if (code == 0xD8 || code == 0xD9 || code == 0xDA) return HeaderSize::kUnknown;
    size_t length = Be16(data + at + 2);
    if (length < 2) return HeaderSize::kUnknown;
    if (IsFrameMarker(code)) {
      if (at + 9 > size) return HeaderSize::kUnknown;
      return Known(Be16(data + at + 7), Be16(data + at + 5), out);
    }
    at += 2 + length;
  }
}

HeaderSize PngSize(const uint8_t* data, size_t size, PictureSize* out) {
  if (size < 24) return HeaderSize::kUnknown;
  if (std::memcmp(data + 12, "IHDR", 4) != 0) return HeaderSize::kUnknown;
  return Known(Be32(data + 16), Be32(data + 20), out);
}

// The size a GIF decoder makes its canvas: the logical screen, grown to take in the
// first image where it reaches beyond the screen.
HeaderSize GifSize(const uint8_t* data, size_t size, PictureSize* out) {
  if (size < 13) return HeaderSize::kUnknown;
  int64_t width = Le16(data + 6), height = Le16(data + 8);
  size_t at = 13;
  if (data[10] & 0x80) at += 3 * (size_t{2} << (data[10] & 7));
  while (at < size && data[at] == 0x21) {  // extensions: a label, then sub-blocks
    at += 2;
    while (at < size && data[at] != 0) at += 1 + data[at];
    ++at;
  }
  // A GIF that ends without an image has nothing to show: no size.
  if (at < size && data[at] == 0x3B) return Known(0, 0, out);
  if (at + 9 > size) return HeaderSize::kUnknown;
  if (data[at] != 0x2C) return HeaderSize::kUnknown;
  width = std::max<int64_t>(width, int64_t(Le16(data + at + 1)) + Le16(data + at + 5));
  height = std::max<int64_t>(height, int64_t(Le16(data + at + 3)) + Le16(data + at + 7));
  return Known(width, height, out);
}

// The first chunk after "WEBP" gives the size: VP8X its canvas, VP8L its bitstream's
// 14-bit sides, VP8 (lossy) the frame header's 14-bit sides.
HeaderSize WebpSize(const uint8_t* data, size_t size, PictureSize* out) {
  if (size < 30) return HeaderSize::kUnknown;
  const uint8_t* chunk = data + 12;
  if (std::memcmp(chunk, "VP8X", 4) == 0) return Known(Le24(chunk + 12) + 1, Le24(chunk + 15) + 1, out);
  if (std::memcmp(chunk, "VP8L", 4) == 0) {
    if (chunk[8] != 0x2F) return HeaderSize::kUnknown;
    uint32_t bits = Le32(chunk + 9);
    return Known((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1, out);
  }
  if (std::memcmp(chunk, "VP8 ", 4) == 0) {
    if (chunk[11] != 0x9D || chunk[12] != 0x01 || chunk[13] != 0x2A) return HeaderSize::kUnknown;
    return Known(Le16(chunk + 14) & 0x3FFF, Le16(chunk + 16) & 0x3FFF, out);
  }
  return HeaderSize::kUnknown;
}

// The info header's size tells the old OS/2 header (16-bit sides) from the others
// (32-bit, a negative height meaning rows from the top).
HeaderSize BmpSize(const uint8_t* data, size_t size, PictureSize* out) {
  if (size < 26) return HeaderSize::kUnknown;
  if (Le32(data + 14) == 12) return Known(Le16(data + 18), Le16(data + 20), out);
  int64_t width = int32_t(Le32(data + 18)), height = int32_t(Le32(data + 22));
  if (width < 0) return HeaderSize::kUnknown;  // no BMP has one; the loader refuses it
  return Known(width, height < 0 ? -height : height, out);
}

}  // namespace

HeaderSize ReadPictureHeaderSize(const uint8_t* data, size_t size, PictureSize* out) {
  *out = PictureSize();
  if (data == nullptr) return HeaderSize::kOther;
  if (Starts(data, size, "\xFF\xD8\xFF", 3)) return JpegSize(data, size, out);
  if (Starts(data, size, "\x89PNG\r\n\x1A\n", 8)) return PngSize(data, size, out);
  if (Starts(data, size, "GIF87a", 6) || Starts(data, size, "GIF89a", 6)) return GifSize(data, size, out);
  if (Starts(data, size, "RIFF", 4) && size >= 12 && std::memcmp(data + 8, "WEBP", 4) == 0)
    return WebpSize(data, size, out);
  if (Starts(data, size, "BM", 2)) return BmpSize(data, size, out);
  return HeaderSize::kOther;
}

}  // namespace kov

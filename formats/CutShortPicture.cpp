#include "formats/CutShortPicture.h"

#include <cstring>

namespace kov {

namespace {

bool IsStandaloneMarker(uint8_t code) { return code == 0x01 || code == 0xD8 || (code >= 0xD0 && code <= 0xD7); }

// The position of the marker that ends the entropy-coded data starting at at: a
// 0xFF that is not a stuffed data byte (0xFF 0x00), a restart marker or fill;
// size when the data runs to the end.
size_t EndOfScan(const uint8_t* data, size_t size, size_t at) {
  // memchr finds the next 0xFF many bytes at a time: a photograph's scan is megabytes.
  for (; at + 1 < size; ++at) {
    const void* mark = std::memchr(data + at, 0xFF, size - 1 - at);
    if (mark == nullptr) break;
    at = static_cast<size_t>(static_cast<const uint8_t*>(mark) - data);
    uint8_t next = data[at + 1];
    if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) return at;
  }
  return size;
}

// Walks the picture's own segments and scans from its start to its end-of-image
// marker, so what follows that marker (a second picture, an appended archive, any
// bytes) plays no part, nor does an EXIF thumbnail's marker inside its segment.
// Only a file that ends before the marker is reached is cut short; bytes that are
// no marker are left to the decoder to judge.
bool JpegEndsEarly(const uint8_t* data, size_t size) {
  size_t at = 2;
  for (;;) {
    while (at + 1 < size && data[at] == 0xFF && data[at + 1] == 0xFF) ++at;  // fill
    if (at + 1 >= size) return true;
    if (data[at] != 0xFF) return false;
    uint8_t code = data[at + 1];
    if (code == 0xD9) return false;
    if (IsStandaloneMarker(code)) {
      at += 2;
      continue;
    }
    if (at + 4 > size) return true;
    size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
    if (length < 2) return false;
    at += 2 + length;
    if (at > size) return true;
    if (code == 0xDA) at = EndOfScan(data, size, at);
  }
}

bool PngEndsEarly(const uint8_t* data, size_t size) {
  static const uint8_t kIend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D'};
  for (size_t at = size; at >= sizeof kIend; --at)
    if (std::memcmp(data + at - sizeof kIend, kIend, sizeof kIend) == 0) return false;
  return true;
}

}  // namespace

bool EndsBeforeThePicture(const uint8_t* data, size_t size) {
  if (data == nullptr) return false;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return JpegEndsEarly(data, size);
  if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) == 0) return PngEndsEarly(data, size);
  return false;
}

}  // namespace kov

#include "formats/CutShortPicture.h"

#include <cstring>

namespace kov {

namespace {

// The position of the last two-byte marker 0xFF code, or size when there is none.
size_t LastMarker(const uint8_t* data, size_t size, uint8_t code) {
  for (size_t at = size; at >= 2; --at)
    if (data[at - 2] == 0xFF && data[at - 1] == code) return at - 2;
  return size;
}

// Entropy-coded data never holds 0xFF followed by a marker code (a data 0xFF is
// stuffed as 0xFF 0x00), so the last end-of-image marker is the file's own when no
// start-of-scan marker follows it. An EXIF thumbnail's end marker comes before the
// main picture's scan, and does not count.
bool JpegEndsEarly(const uint8_t* data, size_t size) {
  size_t end = LastMarker(data, size, 0xD9);
  if (end == size) return true;
  size_t scan = LastMarker(data, size, 0xDA);
  return scan != size && scan > end;
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

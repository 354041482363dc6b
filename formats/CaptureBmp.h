#pragma once
// A captured picture (a packed DIB: BITMAPINFOHEADER, colour table, rows) as a
// complete BMP file image, the form in which the cache takes pictures.
#include <string>

namespace kov {

// Largest side accepted for a captured picture; a thumbnail is at most 120.
constexpr int kMaxCaptureSide = 4096;

// false when the DIB is not a well-formed uncompressed 24-bit or 32-bit bottom-up
// picture of a sane size whose rows are all present.
bool BmpFileFromDib(const std::string& dib, std::string* bmp);

}  // namespace kov

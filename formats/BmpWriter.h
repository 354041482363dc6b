#pragma once
// Writing BMP file images: a 14-byte BITMAPFILEHEADER in front of a packed DIB,
// and the 8-bit palettised BMP that the quantiser produces.
#include <array>
#include <cstdint>
#include <vector>

namespace kov {

// One colour as three bytes: red, green, blue (palettes and colour tables).
using RgbTriple = std::array<uint8_t, 3>;

// The BMP file image of a packed DIB: "BM", bfSize = DIB size + 14, reserved 0,
// bfOffBits = 14 + biSize + colour table size, then the DIB unchanged.
std::vector<uint8_t> MakeBmpFileImage(const std::vector<uint8_t>& dib);

// An 8-bit BMP with a colour table of palette.size() entries (at most 256) and
// the given rows, each already padded to the width rounded up to 4, in file
// order. height keeps its sign (negative for top-down rows).
std::vector<uint8_t> MakeBmp8File(uint32_t width, int32_t height,
                                  const std::vector<RgbTriple>& palette,
                                  const std::vector<uint8_t>& paddedRows);

}  // namespace kov

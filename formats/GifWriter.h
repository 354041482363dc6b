#pragma once
// Turns an 8-bit palettised BMP into a GIF87a picture: only the palette entries
// the picture uses reach the GIF, in the order of their BMP indices, in a global
// colour table of the fewest bits that holds them; one image, not interlaced, no
// extension blocks.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/BmpWriter.h"

namespace kov {

class CGifWriter {
 public:
  virtual ~CGifWriter() = default;

  // Reads the BMP file and writes the GIF atomically. On failure no GIF is left
  // behind (an older file of that name stays as it was).
  bool ConvertBmpFile(const std::string& bmpPath, const std::string& gifPath,
                      std::string* error = nullptr);
  // The same on file images in memory.
  bool ConvertBmp(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                  std::string* error = nullptr);

  // The GIF of an 8-bit picture given as its colour table (indices past its end
  // read as black) and its rows as a BMP stores them, `stride` bytes apart, the
  // bottom row first when bottomUp: the same bytes ConvertBmp makes of that BMP.
  static bool ConvertIndexed(uint32_t width, uint32_t rows, bool bottomUp,
                             const std::vector<RgbTriple>& table, const uint8_t* storedRows,
                             size_t stride, std::vector<uint8_t>* gif,
                             std::string* error = nullptr);

  // The GIF stream of a picture given as GIF indices (top row first) and the
  // used colours; bits is the colour table's width, 1..8.
  static std::vector<uint8_t> WriteGif(uint32_t width, uint32_t height, int bits,
                                       const std::vector<RgbTriple>& colors,
                                       const std::vector<uint8_t>& pixels);
};

}  // namespace kov

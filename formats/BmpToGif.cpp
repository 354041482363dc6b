#include "formats/BmpToGif.h"

#include "base/Fail.h"
#include "base/FileBytes.h"
#include "base/SizeMath.h"
#include "formats/BmpReader.h"
#include "formats/GifWriter.h"
#include "formats/OctreeQuantizer.h"

namespace kov {

bool ConvertBmpToGif(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                     std::string* error) {
  // Every BMP goes through the quantiser, an 8-bit one too: its colours are merged
  // and ordered as any other picture's, so a thumbnail's bytes depend on its pixels
  // alone. From the quantiser's table and rows straight to the GIF: the same bytes
  // as writing its 8-bit BMP and converting that.
  RgbImage image;
  if (!ReadBmpImage(bmp.data(), bmp.size(), &image, error)) return false;
  std::vector<RgbTriple> palette;
  std::vector<uint8_t> rows;
  if (!COctreeQuantizer(256, 6).Palettize(image, &palette, &rows)) return Fail(error, "picture has no pixels");
  uint32_t rowCount = image.height < 0 ? 0u - static_cast<uint32_t>(image.height)
                                       : static_cast<uint32_t>(image.height);
  return CGifWriter::ConvertIndexed(image.width, rowCount, image.height > 0, palette, rows.data(),
                                    DibRowStride(image.width, 8), gif, error);
}

bool ConvertBmpFileToGif(const std::string& bmpPath, const std::string& gifPath,
                         std::string* error) {
  std::vector<uint8_t> bmp, gif;
  if (!ReadFileBytes(bmpPath, &bmp, error)) return false;
  if (!ConvertBmpToGif(bmp, &gif, error)) {
    if (error) *error = bmpPath + ": " + *error;
    return false;
  }
  return WriteFileAtomically(gifPath, gif, error);
}

}  // namespace kov

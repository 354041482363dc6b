#include "thumbs/BmpToGif.h"

#include "thumbs/BmpReader.h"
#include "thumbs/FileBytes.h"
#include "thumbs/GifWriter.h"
#include "thumbs/OctreeQuantizer.h"

namespace kov {

bool ConvertBmpToGif(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                     std::string* error) {
  BmpLayout layout;
  if (!ParseBmpLayout(bmp.data(), bmp.size(), &layout, error)) return false;
  CGifWriter writer;
  bool direct = layout.bitCount == 8 && layout.headerSize >= kBmpInfoHeaderSize;
  if (direct) return writer.ConvertBmp(bmp, gif, error);
  std::vector<uint8_t> bmp8;
  COctreeQuantizer quantizer(256, 6);
  return quantizer.QuantizeBmp(bmp, &bmp8, error) && writer.ConvertBmp(bmp8, gif, error);
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

#include "skin/SkinBitmap.h"

#include <string>

#include "formats/BmpReader.h"
#include "res/Resources.h"

namespace kov {

bool DecodeSkinBitmap(const std::string& bmpBytes, SkinBitmap* bitmap) {
  RgbImage image;
  std::string error;
  if (!ReadBmpImage(reinterpret_cast<const uint8_t*>(bmpBytes.data()), bmpBytes.size(), &image,
                    &error)) {
    return false;
  }
  int rows = image.height < 0 ? -image.height : image.height;
  SkinBitmap decoded;
  decoded.width = int(image.width);
  decoded.height = rows;
  decoded.pixels.resize(size_t(image.width) * size_t(rows));
  for (int y = 0; y < rows; ++y) {
    // A positive height means the file stores the bottom row first.
    int stored = image.height > 0 ? rows - 1 - y : y;
    const uint8_t* src = image.rgb.data() + size_t(stored) * image.width * 3;
    for (uint32_t x = 0; x < image.width; ++x, src += 3) {
      decoded.pixels[size_t(y) * image.width + x] = PackedRgb(src[0]) << 16 | PackedRgb(src[1]) << 8 | src[2];
    }
  }
  *bitmap = std::move(decoded);
  return true;
}

bool LoadSkinBitmap(BitmapId bitmapId, SkinBitmap* bitmap) {
  std::string bytes;
  if (!LoadResourceBytes(bitmapId, &bytes)) return false;
  return DecodeSkinBitmap(bytes, bitmap);
}

}  // namespace kov

#pragma once
// A button or frame bitmap of the resources as pixels ready to paint.
#include <string>
#include <vector>

#include "skin/ToolbarSkin.h"

namespace kov {

struct SkinBitmap {
  int width = 0, height = 0;
  std::vector<PackedRgb> pixels;  // rows top to bottom, 0xRRGGBB
  PackedRgb At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Decodes the BMP bytes; false (and *bitmap left as it was) for anything that is
// not a readable BMP.
bool DecodeSkinBitmap(const std::string& bmpBytes, SkinBitmap* bitmap);
// The bitmap resource; false when there is none or it does not decode.
bool LoadSkinBitmap(BitmapId bitmapId, SkinBitmap* bitmap);

}  // namespace kov

#include "widgets/SkinSurface.h"

#include "skin/ButtonSkin.h"

namespace kov {

cairo_surface_t* MakeSkinSurface(const SkinBitmap& bitmap) {
  if (bitmap.Empty()) return nullptr;
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.width, bitmap.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < bitmap.height; ++y) {
    // RGB24 keeps each pixel as a native 32-bit 0x00RRGGBB, as the bitmap does.
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < bitmap.width; ++x) row[x] = bitmap.At(x, y);
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

cairo_surface_t* LoadSkinSurface(BitmapId bitmapId) {
  SkinBitmap bitmap;
  if (!LoadSkinBitmap(bitmapId, &bitmap)) return nullptr;
  return MakeSkinSurface(bitmap);
}

void SetSourceColour(cairo_t* cr, PackedRgb colour) {
  cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                       (colour & 0xFF) / 255.0);
}

}  // namespace kov

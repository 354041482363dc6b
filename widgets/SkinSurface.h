#pragma once
// Skin bitmaps as cairo surfaces, and the colours of the skin as cairo sources.
#include <cairo.h>

#include "skin/SkinBitmap.h"

namespace kov {

// A new RGB surface with the bitmap's pixels; nullptr for an empty bitmap. The caller
// destroys it.
cairo_surface_t* MakeSkinSurface(const SkinBitmap& bitmap);
// The bitmap resource as a surface; nullptr when it does not load.
cairo_surface_t* LoadSkinSurface(BitmapId bitmapId);

void SetSourceColour(cairo_t* cr, PackedRgb colour);

}  // namespace kov

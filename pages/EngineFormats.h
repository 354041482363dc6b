#pragma once
// Which picture files the engine is handed as they are, told from their first bytes:
// JPEG, PNG, GIF, BMP and WebP whose headers claim a size the engine can hold, and
// SVG. Every other picture (TIFF, HEIC, TGA, PNM, XPM, ICO, ...) and every picture
// too large reaches it through the desktop's image library as a PNG or BMP, reduced
// to the engine's limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/PictureHeader.h"

namespace kov {

// The number of leading bytes EngineDecodesFormat looks at.
constexpr size_t kFormatSniffBytes = 64;

// The largest picture the engine is handed whole: it holds 4 bytes a pixel of it,
// 128 MB at most, and its web process stays within bounds with a page or two of
// such pictures. Larger ones are decoded reduced to this by the page server; the
// side of 8192 lets the JPEG decoder's own scaling do most of that reduction (a
// 60000 x 2000 JPEG in 0.6 s instead of 4 s with 16384, measured).
constexpr int64_t kMaxEngineSide = 8192;
constexpr uint64_t kMaxEnginePixels = uint64_t{1} << 25;
// A picture the page server decodes for the picture view holds at most half as many
// pixels: it goes out as an uncompressed BMP, which the web process holds beside the
// pixels while it decodes them. A PNG of 11000 x 11000 reduced to 32 megapixels took
// the web process to 590 MB, reduced to 16 to 410 MB (measured); 16 megapixels are
// still more than a screen of 4096 x 4096 shows.
constexpr uint64_t kMaxDecodedViewPixels = kMaxEnginePixels / 2;

bool EngineDecodesFormat(const uint8_t* head, size_t size);
// The media type of picture bytes by their first bytes: image/jpeg, image/png,
// image/gif, image/bmp, image/webp, image/x-icon, image/svg+xml, image/tiff; "" for
// anything else, which a picture URL never answers with.
std::string PictureTypeOf(const uint8_t* head, size_t size);
// Whether a picture of that size may be handed to the engine whole.
bool FitsTheEngine(const PictureSize& size);
// True for bytes the engine may decode as they are: a format it decodes whose
// header is found (within head) and claims a size that fits it, or an SVG.
bool EngineTakesAsTheyAre(const uint8_t* head, size_t size);
// The same for a file: only a regular file (a FIFO or a device is never waited on)
// no larger than any picture is, looked at in its first kPictureHeaderBytes.
bool EngineTakesFile(const std::string& path);

}  // namespace kov

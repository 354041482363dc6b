#pragma once
// Which picture files the engine decodes itself, told from their first bytes: JPEG,
// PNG, GIF, BMP, WebP, ICO and SVG. Every other picture (TIFF, HEIC, TGA, PNM,
// XPM, ...) reaches it through the desktop's image library as a PNG or BMP.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kov {

// The number of leading bytes EngineDecodesFormat looks at.
constexpr size_t kFormatSniffBytes = 64;

bool EngineDecodesFormat(const uint8_t* head, size_t size);
// True for a readable regular file whose first bytes are not of a format the
// engine decodes; false for engine formats and for files that cannot be read (a
// FIFO or a device is never waited on), which the engine is left to refuse.
bool NeedsDesktopDecoder(const std::string& path);

}  // namespace kov

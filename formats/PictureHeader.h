#pragma once
// The size a picture file claims, read from its header without decoding it: the
// frame header of a JPEG, the IHDR chunk of a PNG, the logical screen and first
// image of a GIF, the VP8, VP8L or VP8X chunk of a WebP, the info header of a BMP.
// A decoder allocates what the header claims, so a few hundred bytes can ask for
// gigabytes; this is how such a file is refused, or decoded reduced, before any
// decoder is asked.
#include <cstddef>
#include <cstdint>

namespace kov {

// The leading bytes enough for every header read here, unless a JPEG carries more
// than this in the segments before its frame header.
constexpr size_t kPictureHeaderBytes = 256 * 1024;

struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;
};

enum class HeaderSize {
  kKnown,    // *size holds what the header claims (0 x 0 for a GIF without an
             // image); it may be absurd
  kUnknown,  // one of these formats whose header is not within the bytes given, or
             // is not where it should be
  kOther,    // none of these formats
};

HeaderSize ReadPictureHeaderSize(const uint8_t* data, size_t size, PictureSize* out);

}  // namespace kov

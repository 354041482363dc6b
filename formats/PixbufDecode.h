#pragma once
// Pictures decoded by the desktop's image library (GdkPixbuf) and handed to the
// engine in a form it decodes at once: an uncompressed BMP, or a PNG at the lowest
// compression when the picture has transparency. The thumbnail-making page gets
// them reduced (a JPEG is decoded at reduced size by its own DCT scaling), the
// picture view gets formats the engine cannot read (TIFF, HEIC, TGA, ...) whole.
// EXIF orientation is applied, so the engine always receives the upright picture.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kov {

// Pictures beyond these are refused before any pixel memory is taken: a whole
// decode of the largest allowed picture (4 bytes a pixel) stays within 512 MB.
constexpr int32_t kMaxDecodeSide = 65535;
constexpr uint64_t kMaxDecodePixels = uint64_t{1} << 27;

struct DecodedPicture {
  int32_t naturalWidth = 0;  // the picture's own size as its header gives it, upright
  int32_t naturalHeight = 0;
  int32_t width = 0;  // the size of the picture in file
  int32_t height = 0;
  std::string file;  // a BMP ("BM...") or, with transparency, a PNG file image
};

enum class DecodeResult {
  kDecoded,
  kUnreadable,  // not a picture GdkPixbuf reads, broken or truncated, or not a readable file
  kTooLarge,    // a size beyond the limits above (or none): refused before decoding
  kStopped,     // stopped before the end: the picture is no longer wanted
};

// Decodes a picture file's bytes. fitBox 0 keeps the whole size; otherwise a
// picture with a side over fitBox is reduced to fit fitBox x fitBox, aspect kept
// (never below one pixel a side); smaller ones keep their size. maxPixels (0: no
// such limit) reduces a picture of more pixels to at most that many. Anything but
// kDecoded leaves *out as it was and gives the reason in *error. When stop is given
// and becomes true, the decode ends within a few milliseconds with kStopped.
DecodeResult DecodePicture(const uint8_t* data, size_t size, int32_t fitBox, DecodedPicture* out,
                           std::string* error, uint64_t maxPixels = 0,
                           const std::atomic<bool>* stop = nullptr);

// As DecodePicture on the file at path; only a regular file is read (a FIFO or a
// device is refused without being waited on).
DecodeResult DecodePictureFile(const std::string& path, int32_t fitBox, DecodedPicture* out,
                               std::string* error, uint64_t maxPixels = 0,
                               const std::atomic<bool>* stop = nullptr);

}  // namespace kov

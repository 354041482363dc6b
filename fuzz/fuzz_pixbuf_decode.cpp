// libFuzzer target for the page server's picture decoder: whatever GdkPixbuf makes
// of the bytes, the decoder refuses with a reason or hands over a BMP or PNG of a
// picture within the box and the size limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/PixbufDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so any read past the input is caught.
  std::vector<uint8_t> bytes(data, data + size);
  kov::DecodedPicture picture;
  std::string error;
  kov::DecodeResult result = kov::DecodePicture(bytes.data(), bytes.size(), 240, &picture, &error);
  if (result != kov::DecodeResult::kDecoded) {
    if (error.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  if (picture.width < 1 || picture.height < 1 || picture.width > 240 || picture.height > 240)
    __builtin_trap();
  if (picture.naturalWidth < 1 || picture.naturalHeight < 1) __builtin_trap();
  if (picture.file.compare(0, 2, "BM") != 0 && picture.file.compare(0, 4, "\x89PNG") != 0)
    __builtin_trap();
  return 0;
}

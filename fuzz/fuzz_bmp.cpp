// libFuzzer target for the BMP reader, and for the quantiser and GIF writer on
// whatever the reader accepts (small pictures only, to keep runs fast).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/BmpReader.h"
#include "formats/BmpToGif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so any read past the input is caught.
  std::vector<uint8_t> bmp(data, data + size);
  kov::BmpLayout layout;
  if (!kov::ParseBmpLayout(bmp.data(), bmp.size(), &layout, nullptr)) return 0;
  if (uint64_t{layout.width} * layout.rows > 256 * 256) return 0;
  kov::RgbImage image;
  if (!kov::ReadBmpImage(bmp.data(), bmp.size(), &image, nullptr)) __builtin_trap();
  std::vector<uint8_t> gif;
  if (!kov::ConvertBmpToGif(bmp, &gif, nullptr)) __builtin_trap();  // accepted BMPs must convert
  if (gif.size() < 6 + 7 + 6 + 10 + 2 || gif[0] != 'G' || gif.back() != ';') __builtin_trap();
  return 0;
}

#include "thumbs/PayloadConversion.h"

#include <cstdint>
#include <vector>

#include "formats/BmpToGif.h"

namespace kov {

bool ConvertPayloadToGif(const std::string& bmp, std::string* gif) {
  std::vector<uint8_t> in(bmp.begin(), bmp.end()), out;
  if (!ConvertBmpToGif(in, &out) || out.empty()) return false;
  gif->assign(out.begin(), out.end());
  return true;
}

}  // namespace kov

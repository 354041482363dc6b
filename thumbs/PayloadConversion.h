#pragma once
// Turns a BMP payload into the GIF that a cache record stores.
#include <string>

namespace kov {

// true and the GIF file image when the BMP could be quantised and encoded.
bool ConvertPayloadToGif(const std::string& bmp, std::string* gif);

}  // namespace kov

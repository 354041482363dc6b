#pragma once
// Any supported BMP to a GIF: an uncompressed 8-bit BMP goes to the GIF writer
// as it is; every other depth is first reduced to 256 colours by the octree
// quantiser. The thumbnail cache keeps GIF payloads in memory, hence both forms.
#include <cstdint>
#include <string>
#include <vector>

namespace kov {

// False (with a reason in *error when given) for anything that is not a BMP the
// reader accepts.
bool ConvertBmpToGif(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* gif,
                     std::string* error = nullptr);

// File form: reads bmpPath whole, writes gifPath atomically (they may be the
// same file).
bool ConvertBmpFileToGif(const std::string& bmpPath, const std::string& gifPath,
                         std::string* error = nullptr);

}  // namespace kov

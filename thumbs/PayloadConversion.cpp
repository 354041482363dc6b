// The quantiser and GIF writer are not linked in yet: BMP payloads are stored as they
// are, which every reader accepts (the list page gives them the ".bmp" extension).
#include "thumbs/PayloadConversion.h"

namespace kov {

bool ConvertPayloadToGif(const std::string& bmp, std::string* gif) { return false; }

}  // namespace kov

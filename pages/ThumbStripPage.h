#pragma once
// The page that renders a strip of pictures for the thumbnail builder: on a white
// page (the thumbnail-making page's style rule is white over its black bgColor, so
// a picture's transparent parts blend alike) without margins or scroll bars, one 120 x 120 cell a picture, in the strip's
// order, each showing its picture as the thumbnail-making page does on its own:
// reduced and upright from the page server, centred, its natural size kept in the
// page's imgWidth and imgHeight (one entry a cell), fitted to 120 x 120 and hidden
// until then.
#include <string>
#include <vector>

namespace kov {

std::string ThumbStripPage(const std::vector<std::string>& paths);

}  // namespace kov

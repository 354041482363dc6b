#pragma once
// The page that renders a strip of pictures for the thumbnail builder: on a white
// page (the thumbnail-making page's style rule is white over its black bgColor, so
// a picture's transparent parts blend alike) without margins or scroll bars, one 120 x 120 cell a picture, in the strip's
// order, each showing its picture as the thumbnail-making page does on its own:
// reduced and upright from the page server, centred, its natural size kept in the
// page's imgWidth and imgHeight (one entry a cell), fitted to 120 x 120 and hidden
// until then. The page's global `strip` names the strip it shows: its own address
// at first, then the address of each strip shown in it since.
#include <string>
#include <vector>

namespace kov {

std::string ThumbStripPage(const std::vector<std::string>& paths);

// The body of an async function that shows the strip at stripUrl, of these pictures,
// in a strip page already loaded: the cells' pictures are replaced (cells added or
// removed to match), so the page and its pictures are not left behind for the
// engine's collector, as a page navigated away from is. It returns "1" once every
// new picture has loaded or failed; on any other page it fails.
std::string ShowThumbStripBody(const std::string& stripUrl, const std::vector<std::string>& paths);

}  // namespace kov

#include "app/logic/Caption.h"

#include <vector>

#include "base/PathRules.h"
#include "base/TextEscape.h"

namespace kov {

std::string CaptionText(const std::string& path, CaptionPlace place, const PictureFacts& facts,
                        CaptionSwitches switches) {
  std::vector<std::string> parts = {DisplayName(BaseName(path))};
  if (place.position > 0 && place.position <= place.count)
    parts.push_back(std::to_string(place.position) + " of " + std::to_string(place.count));
  parts.push_back(DisplayName(DirName(path)));
  if (facts.width > 0 && facts.height > 0)
    parts.push_back(std::to_string(facts.width) + " \xc3\x97 " + std::to_string(facts.height));
  if (!facts.dateTaken.empty()) parts.push_back(facts.dateTaken);
  if (!facts.camera.empty()) parts.push_back(DisplayName(facts.camera));
  if (switches.muted) parts.push_back("music off (M)");
  if (switches.fadeOff) parts.push_back("no fade (X)");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : " \xc2\xb7 ") + part;
  return text;
}

std::string CaptionStatement(const std::string& text, bool shown) {
  return "kovCaption(" + JsStringLiteral(text) + "," + (shown ? "true" : "false") + ");";
}

}  // namespace kov

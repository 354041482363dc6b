// Target and hover rules of a link label.
#include "tools/HyperlinkBehaviour.h"

namespace kov {
namespace {

// format with its first "%s" replaced by text; a format without "%s" gets nothing
// put in, and other '%' signs stay as they are.
std::string FillFormat(const std::string& format, const std::string& text) {
  size_t at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + text + format.substr(at + 2);
}

}  // namespace

std::string CHyperlinkBehaviour::GetLinkTarget(const std::string& text) {
  if (url.empty()) url = format.empty() ? text : FillFormat(format, text);
  return url;
}

void CHyperlinkBehaviour::OnEnter(const std::string& text) {
  if (hovering_) return;
  hovering_ = true;
  OnLinkHover(GetLinkTarget(text));
}

void CHyperlinkBehaviour::OnLeave() {
  if (!hovering_) return;
  hovering_ = false;
  OnLinkHover("");
}

bool CHyperlinkBehaviour::OnRelease(bool inside) {
  if (!pressed_) return false;
  pressed_ = false;
  bool open = inside;
  if (hovering_ || open) OnLinkHover("");
  hovering_ = false;
  return open;
}

}  // namespace kov

#include "skin/ButtonSkin.h"

#include "res/CommandIds.h"

#include <algorithm>

namespace kov {

namespace {
// Integer division rounded up, for either sign.
int DivideRoundingUp(int value, int divisor) {
  int q = value / divisor;
  return (value % divisor > 0) ? q + 1 : q;
}
}  // namespace

Point ButtonContentOrigin(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight,
                          bool pressed) {
  Point origin{(buttonWidth - pictureWidth) / 2, DivideRoundingUp(buttonHeight - pictureHeight, 2)};
  if (pressed) {
    origin.x += 1;
    origin.y += 1;
  }
  return origin;
}

const std::vector<ToolbarButtonSpec>& ToolbarButtonSpecs() {
  static const std::vector<ToolbarButtonSpec> specs = {
      {kBtnSlideShow, BitmapId::kPlay, kToolbarBackColour, StringId::kTipSlideShow},
      {kBtnPrevious, BitmapId::kPreviousForward, kToolbarBackColour, StringId::kTipPrevious},
      {kBtnNext, BitmapId::kNextForward, kToolbarBackColour, StringId::kTipNext},
      {kBtnTools, BitmapId::kTools, kToolbarBackColour, StringId::kTipTools},
      {kBtnQuitOrBack, BitmapId::kQuit, kToolbarBackColour, StringId::kTipQuit},
      {kBtnOpenFolder, BitmapId::kOpenFolder, kToolbarBackColour, StringId::kTipOpenFolder},
      {kBtnAbout, BitmapId::kAbout, kLightButtonBackColour, StringId::kTipAbout},
      {kBtnPhotoCd, BitmapId::kPhotoCd, kLightButtonBackColour, StringId::kTipPhotoCd},
      {kBtnMinimize, BitmapId::kMinimize, kToolbarBackColour, StringId::kTipMinimize},
      {kBtnMaximize, BitmapId::kRestore, kToolbarBackColour, StringId::kTipRestore},
  };
  return specs;
}

Rect ToolbarButtonRect(int buttonId, int width, int height) {
  int x;
  switch (buttonId) {
    // From the right, 19 pixels apart.
    case kBtnQuitOrBack: x = width - 23; break;
    case kBtnMaximize: x = width - 42; break;
    case kBtnMinimize: x = width - 61; break;
    // From the left: About, a 6-pixel gap, then 19 pixels apart.
    case kBtnAbout: x = 5; break;
    case kBtnOpenFolder: x = 29; break;
    case kBtnPrevious: x = 48; break;
    case kBtnNext: x = 67; break;
    case kBtnSlideShow: x = 86; break;
    case kBtnTools: x = 105; break;
    case kBtnPhotoCd: x = 124; break;
    default: return Rect{};
  }
  int top = height - 21;  // the bottom 3 pixels above the client bottom
  return {x, top, x + kToolbarButtonSize, top + kToolbarButtonSize};
}

std::vector<std::string> SplitTooltipLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      lines.emplace_back();
    } else if (c != '\r') {
      lines.back() += c;
    }
  }
  return lines;
}

Rect PlaceTooltip(Point cursor, int tipWidth, int tipHeight, const Rect& screen) {
  int top = cursor.y + kCursorHeight;
  if (top + tipHeight > screen.bottom) top = cursor.y - tipHeight - 2;
  top = std::max(screen.top, std::min(top, screen.bottom - tipHeight));
  int left = std::max(screen.left, std::min(cursor.x, screen.right - tipWidth));
  return {left, top, left + tipWidth, top + tipHeight};
}

}  // namespace kov

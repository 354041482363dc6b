#pragma once
// How the image buttons look and behave, as plain decisions: where the picture sits,
// the ten toolbar buttons, and the tooltip (its lines, delays and place).
#include <string>
#include <vector>

#include "skin/ToolbarSkin.h"

namespace kov {

// Where the picture's top-left goes in a button: centred, x rounded toward zero and
// y rounded up; one pixel right and down while the button is held pressed.
Point ButtonContentOrigin(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight,
                          bool pressed);

// The toolbar's buttons as they start.
struct ToolbarButtonSpec {
  int id = 0;
  BitmapId bitmapId = BitmapId::kQuit;
  PackedRgb background = kToolbarBackColour;
  StringId tooltipId = StringId::kTipQuit;
};
const std::vector<ToolbarButtonSpec>& ToolbarButtonSpecs();
constexpr int kToolbarButtonSize = 18;
// The button's rectangle in a toolbar of the client size width x height; an empty
// rectangle for an id that is not a toolbar button.
Rect ToolbarButtonRect(int buttonId, int width, int height);

// Tooltips: shown once the cursor has rested this long on a button, hidden after
// the auto-pop delay or when the cursor leaves or presses.
constexpr int kTooltipDelayMs = 200;
constexpr int kTooltipReshowDelayMs = 200;
constexpr int kTooltipAutoPopMs = 32767;
constexpr int kTooltipMaxWidth = 800;
// The lines of a tooltip text: "\r\n" breaks a line, as does a lone "\n"; a lone
// "\r" is dropped.
std::vector<std::string> SplitTooltipLines(const std::string& text);
// Where a tip of the given size shows for the cursor at `cursor`: below the cursor's
// picture, left edges together; above the cursor when there is no room below; always
// inside the screen.
constexpr int kCursorHeight = 20;
Rect PlaceTooltip(Point cursor, int tipWidth, int tipHeight, const Rect& screen);

}  // namespace kov

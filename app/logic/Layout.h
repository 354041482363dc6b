#pragma once
// Where the panes, the toolbar and the folder tree go. Pure geometry: the windows
// apply these rectangles through their own geometry record.
#include <vector>

#include "platform/Screen.h"
#include "res/ResourceIds.h"

namespace kov {

enum class LayoutMode { kMinimized = 0, kRestored = 1, kMaximized = 2 };

// Widths of a scroll bar's thumb, which keep the toolbar off the screen edge.
constexpr int kScrollThumbWidth = 17;
constexpr int kScrollThumbHeight = 17;

struct Size {
  int width = 0, height = 0;
};

struct LayoutPlan {
  Rect panes;              // the three full-screen panes
  Rect toolbar;            // the toolbar, its size kept
  // bitmaps and tooltips of kBtnMinimize and kBtnMaximize
  BitmapId minimizeBitmap = BitmapId::kMinimize;
  StringId minimizeTooltip = StringId::kTipMinimize;
  BitmapId maximizeBitmap = BitmapId::kMaximize;
  StringId maximizeTooltip = StringId::kTipMaximize;
  // When false, every button but kBtnQuitOrBack, kBtnMinimize and kBtnMaximize is disabled.
  bool buttonsEnabled = true;
};

// The mode the information pane's rectangle shows.
LayoutMode CurrentLayoutMode(const Rect& infoPane, const Rect& screen);
// What kBtnMinimize (minimise / restore) and kBtnMaximize (maximise / restore) do in a mode.
LayoutMode ModeAfterMinimizeButton(LayoutMode current);
LayoutMode ModeAfterMaximizeButton(LayoutMode current);

Rect ToolbarHome(const Rect& screen, Size toolbar);
LayoutPlan PlanLayout(LayoutMode mode, const Rect& screen, Size toolbar);

// The buttons that a minimised layout disables.
const std::vector<int>& ButtonsDisabledWhenMinimized();

// The folder tree above the toolbar when there is more room there, else below it,
// then shifted left until it ends inside the screen.
Rect PlaceFolderTree(const Rect& screen, const Rect& toolbar, const Rect& openFolderButton, Size tree);

}  // namespace kov

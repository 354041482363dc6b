#include "app/logic/Layout.h"

#include "res/CommandIds.h"

namespace kov {
namespace {

Rect Placed(int left, int top, Size size) { return Rect{left, top, left + size.width, top + size.height}; }

bool Equal(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

LayoutMode CurrentLayoutMode(const Rect& infoPane, const Rect& screen) {
  if (Equal(infoPane, screen)) return LayoutMode::kMaximized;
  return infoPane.Width() > 11 ? LayoutMode::kRestored : LayoutMode::kMinimized;
}

LayoutMode ModeAfterMinimizeButton(LayoutMode current) {
  return current == LayoutMode::kMinimized ? LayoutMode::kRestored : LayoutMode::kMinimized;
}

LayoutMode ModeAfterMaximizeButton(LayoutMode current) {
  return current == LayoutMode::kMaximized ? LayoutMode::kRestored : LayoutMode::kMaximized;
}

Rect ToolbarHome(const Rect& screen, Size toolbar) {
  return Placed(screen.Width() - toolbar.width - kScrollThumbWidth - 2,
                screen.Height() - toolbar.height - 32, toolbar);
}

LayoutPlan PlanLayout(LayoutMode mode, const Rect& screen, Size toolbar) {
  LayoutPlan plan;
  plan.toolbar = ToolbarHome(screen, toolbar);
  switch (mode) {
    case LayoutMode::kMaximized:
      plan.panes = screen;
      plan.minimizeBitmap = BitmapId::kMinimize, plan.minimizeTooltip = StringId::kTipMinimize;
      plan.maximizeBitmap = BitmapId::kRestore, plan.maximizeTooltip = StringId::kTipRestore;
      break;
    case LayoutMode::kRestored: {
      int d = screen.Width() / 10;
      plan.panes = Rect{screen.left + d, screen.top + d, screen.right - d, screen.bottom - d};
      plan.toolbar = Placed(plan.panes.right - kScrollThumbWidth - 2 - toolbar.width,
                            plan.panes.bottom - kScrollThumbHeight - 2 - toolbar.height, toolbar);
      plan.minimizeBitmap = BitmapId::kMinimize, plan.minimizeTooltip = StringId::kTipMinimize;
      plan.maximizeBitmap = BitmapId::kMaximize, plan.maximizeTooltip = StringId::kTipMaximize;
      break;
    }
    case LayoutMode::kMinimized:
      plan.panes = Rect{0, 0, 0, 0};
      plan.minimizeBitmap = BitmapId::kRestore, plan.minimizeTooltip = StringId::kTipRestore;
      plan.maximizeBitmap = BitmapId::kMaximize, plan.maximizeTooltip = StringId::kTipMaximize;
      plan.buttonsEnabled = false;
      break;
  }
  return plan;
}

const std::vector<int>& ButtonsDisabledWhenMinimized() {
  static const std::vector<int> buttons = {kBtnSlideShow, kBtnPrevious, kBtnNext,   kBtnTools,
                                           kBtnOpenFolder, kBtnAbout,   kBtnPhotoCd};
  return buttons;
}

Rect PlaceFolderTree(const Rect& screen, const Rect& toolbar, const Rect& openFolderButton, Size tree) {
  int above = toolbar.top - screen.top;
  int below = screen.bottom - toolbar.bottom;
  Rect placed = above > below ? Placed(openFolderButton.left, toolbar.top - tree.height - 2, tree)
                              : Placed(openFolderButton.right, toolbar.bottom + 1, tree);
  int overhang = placed.right - (screen.right - 1);
  if (overhang > 0) placed = Placed(placed.left - overhang, placed.top, tree);
  return placed;
}

}  // namespace kov

#include "app/logic/FrontPane.h"

namespace kov {

namespace {

bool Holds(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

FrontPane PaneOfWindow(WindowId id, const PaneWindows& panes) {
  if (id == panes.imageView) return FrontPane::kImage;
  if (id == panes.thumbnailList) return FrontPane::kThumbnails;
  if (id == panes.info) return FrontPane::kInfo;
  if (id == panes.folderTree) return FrontPane::kFolderTree;
  return FrontPane::kOther;
}

}  // namespace

FrontPane FrontPaneOf(const WindowStack& stack, const PaneWindows& panes, const Rect& screen) {
  const int x = screen.left + screen.Width() / 2;
  const int y = screen.top + screen.Height() / 2;
  for (WindowId id : stack.TopToBottom()) {
    if (id == panes.toolbar || !stack.IsVisible(id)) continue;
    if (Holds(stack.GetRect(id), x, y)) return PaneOfWindow(id, panes);
  }
  return FrontPane::kNone;
}

}  // namespace kov

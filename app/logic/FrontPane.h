#pragma once
// Which pane the user sees, answered from the program's own window record: the
// window at the centre of the screen, looking past the toolbar that floats above.
#include "app/logic/ViewDecisions.h"
#include "platform/WindowStack.h"

namespace kov {

struct PaneWindows {
  WindowId toolbar = 0;
  WindowId imageView = 0;
  WindowId thumbnailList = 0;
  WindowId info = 0;
  WindowId folderTree = 0;
};

// The highest visible window (the toolbar skipped) holding the screen's centre, as a
// pane; kOther for a window that is none of them, kNone when no window is there.
FrontPane FrontPaneOf(const WindowStack& stack, const PaneWindows& panes, const Rect& screen);

}  // namespace kov

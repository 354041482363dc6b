#pragma once
// The program's own record of its top-level windows: rectangle, visibility and
// stacking order. With no window manager there is nobody else to ask, so every
// question of the kind "which pane is in front" is answered from here, and the
// window layer makes the X stacking follow this record.
//
// Topmost windows (the toolbar) always stay above the others: raising an ordinary
// window puts it just below the lowest topmost one.
#include <vector>

#include "platform/Screen.h"

namespace kov {

using WindowId = unsigned;  // 0: no window

class WindowStack {
 public:
  // A new window is hidden and goes on top of its band. Adding a known id does nothing.
  void Add(WindowId id, const Rect& rect, bool topmost = false);
  void Remove(WindowId id);
  bool Contains(WindowId id) const;

  void SetRect(WindowId id, const Rect& rect);
  Rect GetRect(WindowId id) const;  // empty for unknown ids
  void SetVisible(WindowId id, bool visible);
  bool IsVisible(WindowId id) const;
  void SetTopmost(WindowId id, bool topmost);
  void Raise(WindowId id);

  std::vector<WindowId> TopToBottom() const;
  // The candidate that is visible and highest in the stack; 0 when none is visible.
  WindowId FrontMost(const std::vector<WindowId>& candidates) const;
  // The highest visible window whose rectangle holds the point; 0 when none.
  WindowId WindowAt(int x, int y) const;
  // True when a visible window above this one holds all of its rectangle, so nothing
  // of it can be seen. A window with an empty rectangle covers nothing.
  bool IsCovered(WindowId id) const;

 private:
  struct Entry {
    WindowId id;
    Rect rect;
    bool visible;
    bool topmost;
  };
  int IndexOf(WindowId id) const;
  // Index at which a window of the band goes to be the band's highest.
  size_t TopOfBand(bool topmost) const;

  std::vector<Entry> bottomToTop_;
};

// The process's record, shared by all windows.
WindowStack& TopLevelWindows();

}  // namespace kov

#pragma once
// The viewer's one top-level window. The panes, the toolbar and the folder tree are
// layers inside it, so a window manager only ever sees one window: Alt+Tab, the
// taskbar and activation bring back the view as it was. It realises the three
// layouts: full screen on the monitor KOV started on, a normal decorated window at
// the restored rectangle that the user may move and resize, and a small undecorated
// window holding the toolbar alone.
#include <gtk/gtk.h>

#include <functional>

#include "app/logic/Layout.h"
#include "platform/Screen.h"

namespace kov {

class CViewerWindow {
 public:
  CViewerWindow() = default;
  ~CViewerWindow();
  CViewerWindow(const CViewerWindow&) = delete;
  CViewerWindow& operator=(const CViewerWindow&) = delete;

  // Makes the hidden window, asked to be full screen when it is shown.
  bool Create();
  void Destroy();
  void Show();
  GtkWindow* window() const { return window_; }
  LayoutMode mode() const { return mode_; }

  // Full screen on the start monitor; without a window manager the window is also
  // placed over the monitor, as nobody else would do it.
  void Maximise();
  // A normal decorated window at rect (screen coordinates).
  void Restore(const Rect& rect);
  // A small undecorated window at rect (screen coordinates) for the toolbar alone.
  void Minimise(const Rect& rect);

  // Where the layers can be now: 0,0 and the window's content size.
  Rect ContentRect() const;
  // Called whenever the content size changes (a layout, or the user resizing).
  void SetResizeHandler(std::function<void(const Rect& content)> handler) { onResize_ = std::move(handler); }
  // Brings the window to the front with the keyboard, as activation does.
  void Present();

 private:
  static void OnAllocated(GtkWidget*, GdkRectangle* allocation, gpointer self);

  GtkWindow* window_ = nullptr;
  LayoutMode mode_ = LayoutMode::kMaximized;
  int width_ = 0, height_ = 0;
  guint resizeSource_ = 0;
  std::function<void(const Rect&)> onResize_;
};

}  // namespace kov

#pragma once
// The toolbar window's skin: the frame bitmaps painted on its background, the window
// shape with rounded top corners, and moving the window by dragging its top rows
// (no window manager may be present, so the program moves it itself).
#include <gtk/gtk.h>

#include <map>

#include "skin/ToolbarSkin.h"

namespace kov {

class CToolbarFrame {
 public:
  CToolbarFrame() = default;
  ~CToolbarFrame();
  CToolbarFrame(const CToolbarFrame&) = delete;
  CToolbarFrame& operator=(const CToolbarFrame&) = delete;

  // Loads the eight frame bitmaps and skins the window: it paints the background
  // and frame under the window's children, takes the shape whenever its size
  // changes, and follows drags by rows 0 to 7. False when already attached.
  bool Attach(GtkWindow* window);
  bool IsDragging() const { return dragging_; }

 private:
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static void OnSizeAllocate(GtkWidget* widget, GdkRectangle* allocation, gpointer self);
  static gboolean OnPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
  static gboolean OnRelease(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnGrabBroken(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void OnDestroyed(GtkWidget* widget, gpointer self);

  void ApplyShape(int width, int height);
  Rect WindowRect() const;
  void MoveTo(Point cursor);
  void ShowMoveCursor(bool show);

  GtkWindow* window_ = nullptr;
  std::map<BitmapId, cairo_surface_t*> bitmaps_;
  int shapedWidth_ = 0, shapedHeight_ = 0;
  bool dragging_ = false;
  Rect dragStartWindow_;
  Point dragStartCursor_;
  bool moveCursorShown_ = false;
};

}  // namespace kov

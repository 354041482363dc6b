#pragma once
// The toolbar's skin: the frame bitmaps painted on its background, the shape with
// rounded top corners, and moving the toolbar inside the viewer's window by dragging
// its top rows.
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

  // Loads the eight frame bitmaps and skins the toolbar's layer: it paints the
  // background and frame under the layer's children, takes the shape whenever its
  // size changes, and follows drags by rows 0 to 7, kept inside the window. False
  // when already attached.
  bool Attach(GtkWidget* layer);
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

  GtkWidget* window_ = nullptr;
  std::map<BitmapId, cairo_surface_t*> bitmaps_;
  int shapedWidth_ = 0, shapedHeight_ = 0;
  bool dragging_ = false;
  Rect dragStartWindow_;
  Point dragStartCursor_;
  bool moveCursorShown_ = false;
};

}  // namespace kov

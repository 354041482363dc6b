#include "app/ToolbarFrame.h"

#include "platform/gui/WindowRecord.h"
#include "widgets/SkinSurface.h"

namespace kov {

CToolbarFrame::~CToolbarFrame() {
  if (window_ != nullptr) g_signal_handlers_disconnect_by_data(window_, this);
  for (auto& entry : bitmaps_) {
    if (entry.second != nullptr) cairo_surface_destroy(entry.second);
  }
}

bool CToolbarFrame::Attach(GtkWidget* layer) {
  if (window_ != nullptr || layer == nullptr) return false;
  window_ = layer;
  for (BitmapId id : kFrameBitmaps) bitmaps_[id] = LoadSkinSurface(id);
  GtkWidget* widget = layer;
  // The layer's own background would cover the frame: it paints nothing itself.
  gtk_widget_set_app_paintable(widget, TRUE);
  gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_POINTER_MOTION_MASK);
  g_signal_connect(widget, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(widget, "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  g_signal_connect(widget, "button-press-event", G_CALLBACK(OnPress), this);
  g_signal_connect(widget, "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(widget, "button-release-event", G_CALLBACK(OnRelease), this);
  g_signal_connect(widget, "grab-broken-event", G_CALLBACK(OnGrabBroken), this);
  g_signal_connect(widget, "destroy", G_CALLBACK(OnDestroyed), this);
  Rect rect = WindowRect();
  ApplyShape(rect.Width(), rect.Height());
  return true;
}

gboolean CToolbarFrame::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
  auto* self = static_cast<CToolbarFrame*>(data);
  int w = gtk_widget_get_allocated_width(widget), h = gtk_widget_get_allocated_height(widget);
  // Inside one window nothing is cut away for the layer: it paints only its shape, and
  // the pane drawn before it shows at the corners.
  for (const Rect& r : RoundedTopRegion(w, h)) cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
  cairo_clip(cr);
  SetSourceColour(cr, kToolbarBackColour);
  cairo_paint(cr);
  for (const FrameTile& tile : FrameTiles(w, h)) {
    cairo_surface_t* bitmap = self->bitmaps_[tile.bitmapId];
    if (bitmap == nullptr) continue;  // a missing bitmap leaves the background
    cairo_set_source_surface(cr, bitmap, tile.x, tile.y);
    cairo_rectangle(cr, tile.x, tile.y, tile.width, tile.height);
    cairo_fill(cr);
  }
  return FALSE;  // the children draw over the frame
}

void CToolbarFrame::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
  static_cast<CToolbarFrame*>(data)->ApplyShape(allocation->width, allocation->height);
}

void CToolbarFrame::ApplyShape(int width, int height) {
  if (width <= 0 || height <= 0 || (width == shapedWidth_ && height == shapedHeight_)) return;
  shapedWidth_ = width;
  shapedHeight_ = height;
  cairo_region_t* region = cairo_region_create();
  for (const Rect& r : RoundedTopRegion(width, height)) {
    cairo_rectangle_int_t rect{r.left, r.top, r.Width(), r.Height()};
    cairo_region_union_rectangle(region, &rect);
  }
  // Clicks on the cut corners go to the pane beneath. Only a toolbar with a window of
  // its own can be shaped; as a layer inside the viewer's window its corners are drawn
  // cut and the pane beneath is not reached through them.
  if (gtk_widget_get_has_window(GTK_WIDGET(window_)))
    gtk_widget_input_shape_combine_region(GTK_WIDGET(window_), region);
  cairo_region_destroy(region);
}

Rect CToolbarFrame::WindowRect() const { return TopLevelWindows().GetRect(WindowIdOf(window_)); }

void CToolbarFrame::MoveTo(Point cursor) {
  MoveLayer(window_, DraggedWindowRect(dragStartWindow_, dragStartCursor_, cursor,
                                       LayerHostRect(HostOf(window_))));
}

void CToolbarFrame::ShowMoveCursor(bool show) {
  GdkWindow* gdk = gtk_widget_get_window(GTK_WIDGET(window_));
  if (gdk == nullptr || show == moveCursorShown_) return;
  moveCursorShown_ = show;
  GdkCursor* cursor = show ? gdk_cursor_new_from_name(gdk_window_get_display(gdk), "move")
                           : nullptr;
  gdk_window_set_cursor(gdk, cursor);
  if (cursor != nullptr) g_object_unref(cursor);
}

gboolean CToolbarFrame::OnPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  auto* self = static_cast<CToolbarFrame*>(data);
  if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS ||
      !IsInDragHandle(int(event->y))) {
    return FALSE;
  }
  self->dragging_ = true;
  self->dragStartWindow_ = self->WindowRect();
  self->dragStartCursor_ = {int(event->x_root), int(event->y_root)};
  return TRUE;  // the button stays down: X keeps sending the motion here
}

gboolean CToolbarFrame::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
  auto* self = static_cast<CToolbarFrame*>(data);
  if (!self->dragging_) {
    self->ShowMoveCursor(IsInDragHandle(int(event->y)));
    return FALSE;
  }
  // The window follows the cursor as it goes; the release settles it from the total offset.
  self->MoveTo({int(event->x_root), int(event->y_root)});
  return TRUE;
}

gboolean CToolbarFrame::OnRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
  auto* self = static_cast<CToolbarFrame*>(data);
  if (event->button != GDK_BUTTON_PRIMARY || !self->dragging_) return FALSE;
  self->dragging_ = false;
  self->MoveTo({int(event->x_root), int(event->y_root)});
  return TRUE;
}

gboolean CToolbarFrame::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
  static_cast<CToolbarFrame*>(data)->dragging_ = false;  // stays where it was taken last
  return FALSE;
}

void CToolbarFrame::OnDestroyed(GtkWidget*, gpointer data) {
  auto* self = static_cast<CToolbarFrame*>(data);
  self->window_ = nullptr;
  self->dragging_ = false;
}

}  // namespace kov

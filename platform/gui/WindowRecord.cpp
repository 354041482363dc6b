#include "platform/gui/WindowRecord.h"

#include <map>
#include <vector>

namespace kov {

namespace {

constexpr const char* kIdKey = "kov-layer-id";
constexpr const char* kHostKey = "kov-layer-host";
constexpr const char* kOverlayKey = "kov-layer-overlay";
constexpr const char* kDrawnKey = "kov-layer-drawn";
constexpr const char* kWaitsKey = "kov-layer-waits-for-sight";

std::map<WindowId, GtkWidget*>& Layers() {
  static std::map<WindowId, GtkWidget*> layers;
  return layers;
}

GtkOverlay* OverlayOf(GtkWindow* host) {
  return host ? static_cast<GtkOverlay*>(g_object_get_data(G_OBJECT(host), kOverlayKey)) : nullptr;
}

void OnLayerDestroyed(GtkWidget*, gpointer data) {
  WindowId id = GPOINTER_TO_UINT(data);
  TopLevelWindows().Remove(id);
  Layers().erase(id);
}

// The overlay places each layer at its recorded rectangle. A layer moved out of sight
// (an empty rectangle) keeps the size it had, so its page is not laid out again for a
// size nobody sees.
gboolean OnChildPosition(GtkOverlay*, GtkWidget* child, GdkRectangle* place, gpointer) {
  WindowId id = WindowIdOf(child);
  if (id == 0) return FALSE;
  Rect rect = TopLevelWindows().GetRect(id);
  if (rect.Width() > 0 && rect.Height() > 0) {
    g_object_set_data(G_OBJECT(child), "kov-layer-width", GINT_TO_POINTER(rect.Width()));
    g_object_set_data(G_OBJECT(child), "kov-layer-height", GINT_TO_POINTER(rect.Height()));
  }
  int width = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(child), "kov-layer-width"));
  int height = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(child), "kov-layer-height"));
  *place = GdkRectangle{rect.left, rect.top, width > 0 ? width : 1, height > 0 ? height : 1};
  return TRUE;
}

// A layer is mapped whenever it has a rectangle, but one asked to wait for sight
// is left unmapped while it has never been drawn and a shown layer above covers it.
void MapLayersInSight(GtkWindow* host) {
  for (const auto& [id, layer] : Layers()) {
    if (HostOf(layer) != host) continue;
    Rect rect = TopLevelWindows().GetRect(id);
    bool waits = g_object_get_data(G_OBJECT(layer), kWaitsKey) != nullptr;
    bool drawn = g_object_get_data(G_OBJECT(layer), kDrawnKey) != nullptr;
    bool mapped = rect.Width() > 0 && rect.Height() > 0 && (!waits || drawn || !TopLevelWindows().IsCovered(id));
    if (gtk_widget_get_child_visible(layer) != mapped) gtk_widget_set_child_visible(layer, mapped);
  }
}

gboolean OnLayerDrawn(GtkWidget* layer, cairo_t*, gpointer) {
  g_object_set_data(G_OBJECT(layer), kDrawnKey, GINT_TO_POINTER(1));
  return FALSE;
}

// The overlay's children follow the record's order, lowest first.
void RestackFromRecord(GtkWindow* host) {
  GtkOverlay* overlay = OverlayOf(host);
  if (overlay == nullptr) return;
  std::vector<WindowId> order = TopLevelWindows().TopToBottom();
  int position = 0;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    GtkWidget* layer = LayerOfId(*it);
    if (layer == nullptr || HostOf(layer) != host) continue;
    gtk_overlay_reorder_overlay(overlay, layer, position++);
  }
  MapLayersInSight(host);
}

}  // namespace

GtkWindow* CreateLayerHost(const Rect& rect) {
  GtkWindow* host = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  GtkWidget* overlay = gtk_overlay_new();
  // The layers cover what lies under them; below them all the window shows black.
  GtkWidget* ground = gtk_drawing_area_new();
  g_signal_connect(ground, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer) -> gboolean {
                     cairo_set_source_rgb(cr, 0, 0, 0);
                     cairo_paint(cr);
                     return TRUE;
                   }),
                   nullptr);
  gtk_container_add(GTK_CONTAINER(overlay), ground);
  g_signal_connect(overlay, "get-child-position", G_CALLBACK(OnChildPosition), nullptr);
  gtk_container_add(GTK_CONTAINER(host), overlay);
  gtk_widget_show(ground);
  gtk_widget_show(overlay);
  g_object_set_data(G_OBJECT(host), kOverlayKey, overlay);
  PlaceWindow(host, rect);
  return host;
}

Rect LayerHostRect(GtkWindow* host) {
  GtkOverlay* overlay = OverlayOf(host);
  if (overlay == nullptr) return Rect{};
  if (gtk_widget_get_realized(GTK_WIDGET(overlay)))
    return Rect{0, 0, gtk_widget_get_allocated_width(GTK_WIDGET(overlay)),
                gtk_widget_get_allocated_height(GTK_WIDGET(overlay))};
  int width = 0, height = 0;
  gtk_window_get_default_size(host, &width, &height);
  return Rect{0, 0, width, height};
}

GtkWidget* CreateLayer(GtkWindow* host, const Rect& rect, bool topmost) {
  GtkOverlay* overlay = OverlayOf(host);
  if (overlay == nullptr) return nullptr;
  static WindowId nextId = 1;
  WindowId id = nextId++;
  GtkWidget* layer = gtk_event_box_new();
  // Without a window of its own the layer is drawn in the window the overlay makes for
  // it, so a shape given to the layer shapes what is seen of it.
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(layer), FALSE);
  g_object_set_data(G_OBJECT(layer), kIdKey, GUINT_TO_POINTER(id));
  g_object_set_data(G_OBJECT(layer), kHostKey, host);
  Layers()[id] = layer;
  TopLevelWindows().Add(id, rect, topmost);
  g_signal_connect(layer, "destroy", G_CALLBACK(OnLayerDestroyed), GUINT_TO_POINTER(id));
  g_signal_connect(layer, "draw", G_CALLBACK(OnLayerDrawn), nullptr);
  gtk_overlay_add_overlay(overlay, layer);
  RestackFromRecord(host);
  return layer;
}

void MapOnceInSight(GtkWidget* layer) {
  if (WindowIdOf(layer) == 0) return;
  g_object_set_data(G_OBJECT(layer), kWaitsKey, GINT_TO_POINTER(1));
  MapLayersInSight(HostOf(layer));
}

WindowId WindowIdOf(GtkWidget* layer) {
  if (layer == nullptr) return 0;
  return GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(layer), kIdKey));
}

GtkWidget* LayerOfId(WindowId id) {
  auto found = Layers().find(id);
  return found == Layers().end() ? nullptr : found->second;
}

GtkWindow* HostOf(GtkWidget* layer) {
  return layer ? static_cast<GtkWindow*>(g_object_get_data(G_OBJECT(layer), kHostKey)) : nullptr;
}

void MoveLayer(GtkWidget* layer, const Rect& rect) {
  WindowId id = WindowIdOf(layer);
  if (id == 0) return;
  TopLevelWindows().SetRect(id, rect);
  MapLayersInSight(HostOf(layer));
  gtk_widget_queue_resize(layer);
}

void ShowLayer(GtkWidget* layer, bool show) {
  WindowId id = WindowIdOf(layer);
  if (id == 0) return;
  TopLevelWindows().SetVisible(id, show);
  gtk_widget_set_visible(layer, show);
  if (show)
    RaiseLayer(layer);
  else
    MapLayersInSight(HostOf(layer));
}

void RaiseLayer(GtkWidget* layer) {
  WindowId id = WindowIdOf(layer);
  if (id == 0) return;
  TopLevelWindows().Raise(id);
  RestackFromRecord(HostOf(layer));
}

Rect LayerOnScreen(GtkWidget* layer) {
  Rect rect = TopLevelWindows().GetRect(WindowIdOf(layer));
  GtkWindow* host = HostOf(layer);
  GdkWindow* surface = host ? gtk_widget_get_window(GTK_WIDGET(host)) : nullptr;
  int x = 0, y = 0;
  if (surface != nullptr) gdk_window_get_origin(surface, &x, &y);
  return Rect{rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}

void PlaceWindow(GtkWindow* window, const Rect& rect) {
  gtk_window_move(window, rect.left, rect.top);
  // GTK refuses a zero size.
  int width = rect.Width() > 0 ? rect.Width() : 1;
  int height = rect.Height() > 0 ? rect.Height() : 1;
  gtk_window_set_default_size(window, width, height);
  gtk_window_resize(window, width, height);
}

int PrimaryMonitorNumber() {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return 0;
  GdkMonitor* primary = gdk_display_get_primary_monitor(display);
  for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
    if (gdk_display_get_monitor(display, i) == primary) return i;
  return 0;
}

Rect PrimaryMonitorRect() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
  if (monitor == nullptr && display != nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return Rect{0, 0, 1024, 768};
  GdkRectangle area;
  gdk_monitor_get_geometry(monitor, &area);
  return Rect{0, 0, area.width, area.height};
}

}  // namespace kov

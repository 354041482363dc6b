#include "platform/gui/WindowRecord.h"

#include <map>

namespace kov {

namespace {

constexpr const char* kIdKey = "kov-window-id";

std::map<WindowId, GtkWindow*>& Windows() {
  static std::map<WindowId, GtkWindow*> windows;
  return windows;
}

void OnDestroyed(GtkWidget* widget, gpointer data) {
  WindowId id = GPOINTER_TO_UINT(data);
  TopLevelWindows().Remove(id);
  Windows().erase(id);
}

// Makes the X stacking follow the record: raising bottom to top leaves the record's
// top window on top.
void RestackFromRecord() {
  std::vector<WindowId> order = TopLevelWindows().TopToBottom();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    GtkWindow* window = WindowOfId(*it);
    GdkWindow* gdk = window ? gtk_widget_get_window(GTK_WIDGET(window)) : nullptr;
    if (gdk != nullptr && TopLevelWindows().IsVisible(*it)) gdk_window_raise(gdk);
  }
}

}  // namespace

GtkWindow* CreateTopLevel(const Rect& rect, bool topmost) {
  static WindowId nextId = 1;
  WindowId id = nextId++;
  GtkWindow* window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  gtk_window_set_decorated(window, FALSE);
  // The record keeps the stacking where no window manager runs; where one does, the
  // hint asks it to keep the window above the others too.
  if (topmost) gtk_window_set_keep_above(window, TRUE);
  g_object_set_data(G_OBJECT(window), kIdKey, GUINT_TO_POINTER(id));
  Windows()[id] = window;
  TopLevelWindows().Add(id, rect, topmost);
  g_signal_connect(window, "destroy", G_CALLBACK(OnDestroyed), GUINT_TO_POINTER(id));
  MoveTopLevel(window, rect);
  return window;
}

WindowId WindowIdOf(GtkWindow* window) {
  if (window == nullptr) return 0;
  return GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(window), kIdKey));
}

GtkWindow* WindowOfId(WindowId id) {
  auto found = Windows().find(id);
  return found == Windows().end() ? nullptr : found->second;
}

void MoveTopLevel(GtkWindow* window, const Rect& rect) {
  TopLevelWindows().SetRect(WindowIdOf(window), rect);
  gtk_window_move(window, rect.left, rect.top);
  // GTK refuses a zero size; the record keeps the rectangle as asked.
  int width = rect.Width() > 0 ? rect.Width() : 1;
  int height = rect.Height() > 0 ? rect.Height() : 1;
  gtk_window_set_default_size(window, width, height);
  gtk_window_resize(window, width, height);
}

void ShowTopLevel(GtkWindow* window, bool show) {
  WindowId id = WindowIdOf(window);
  TopLevelWindows().SetVisible(id, show);
  if (!show) {
    gtk_widget_hide(GTK_WIDGET(window));
    return;
  }
  gtk_widget_show(GTK_WIDGET(window));
  RaiseTopLevel(window);
}

void RaiseTopLevel(GtkWindow* window) {
  TopLevelWindows().Raise(WindowIdOf(window));
  RestackFromRecord();
}

void FocusTopLevel(GtkWindow* window) {
  GdkWindow* gdk = gtk_widget_get_window(GTK_WIDGET(window));
  if (gdk != nullptr) gdk_window_focus(gdk, GDK_CURRENT_TIME);
}

void MaximiseTopLevel(GtkWindow* window) { MoveTopLevel(window, PrimaryMonitorRect()); }

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

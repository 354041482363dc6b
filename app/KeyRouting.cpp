#include "app/KeyRouting.h"

#include "app/logic/KeyTable.h"
#include "platform/CommandQueue.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"

#include <vector>

namespace kov {

namespace {

const InputRoute& RouteOf(gpointer data) { return *static_cast<const InputRoute*>(data); }

KeyView ViewInFront(const InputRoute& route) {
  return route.viewInFront ? route.viewInFront() : KeyView::kThumbnails;
}

bool Routing(const InputRoute& route) {
  GtkWidget* layer = route.toolbar;
  return TopLevelWindows().IsVisible(WindowIdOf(layer)) && gtk_widget_get_visible(layer);
}

// Connects handler with a copy of route that lives as long as the connection.
void Connect(gpointer instance, const char* signal, GCallback handler, const InputRoute& route) {
  g_signal_connect_data(instance, signal, handler, new InputRoute(route),
                        [](gpointer data, GClosure*) { delete static_cast<InputRoute*>(data); },
                        GConnectFlags(0));
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
  const InputRoute& route = RouteOf(data);
  if (!Routing(route)) return FALSE;
  KeyPress key;
  key.keysym = event->keyval;
  key.ctrl = (event->state & GDK_CONTROL_MASK) != 0;
  key.shift = (event->state & GDK_SHIFT_MASK) != 0;
  key.alt = (event->state & GDK_MOD1_MASK) != 0;
  const KeyView view = ViewInFront(route);
  int command = CommandForKey(key, view);
  if (command == 0) {
    // A layout whose digits need Shift, or without Latin letters: the key's place.
    GdkKeymapKey* places = nullptr;
    guint* levels = nullptr;
    gint count = 0;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
    if (gdk_keymap_get_entries_for_keycode(keymap, event->hardware_keycode, &places, &levels, &count)) {
      std::vector<uint32_t> syms(levels, levels + count);
      command = CommandForKeyPlace(key, syms.data(), syms.size(), view);
      g_free(places);
      g_free(levels);
    }
  }
  if (command == 0) return FALSE;  // the page gets the key
  PostCommand(route.target, command);
  return TRUE;
}

// +1 for a notch towards the user (the next picture), -1 away, 0 for none yet: smooth
// scrolling adds up until it makes one notch. A wheel that reports smooth scrolling
// also sends each notch as an emulated up or down, and the engine hands a wheel
// event its page did not use back to the view: neither may count twice.
int WheelNotch(GdkEvent* raw) {
  static double pending = 0;
  static GdkEventScroll last = {};
  const GdkEventScroll* event = &raw->scroll;
  if (event->direction != GDK_SCROLL_SMOOTH && gdk_event_get_pointer_emulated(raw)) return 0;
  bool again = event->time == last.time && event->direction == last.direction && event->delta_y == last.delta_y &&
               event->x_root == last.x_root && event->y_root == last.y_root;
  last = *event;
  if (again) return 0;
  if (event->direction == GDK_SCROLL_DOWN) return 1;
  if (event->direction == GDK_SCROLL_UP) return -1;
  if (event->direction != GDK_SCROLL_SMOOTH) return 0;
  pending += event->delta_y;
  if (pending > -1 && pending < 1) return 0;
  int notch = pending > 0 ? 1 : -1;
  pending = 0;
  return notch;
}

gboolean OnScroll(GtkWidget*, GdkEvent*, gpointer data) {
  const InputRoute& route = RouteOf(data);
  if (Routing(route)) PostCommand(route.target, kCmdWheel);
  return FALSE;  // the page still scrolls
}

// Ctrl+wheel zooms in the page itself.
gboolean OnPictureScroll(GtkWidget*, GdkEvent* event, gpointer data) {
  const InputRoute& route = RouteOf(data);
  const GdkEventScroll* scroll = &event->scroll;
  if (!Routing(route) || ViewInFront(route) != KeyView::kPicture || (scroll->state & GDK_CONTROL_MASK) != 0)
    return FALSE;
  int notch = WheelNotch(event);
  if (notch != 0) PostCommand(route.target, notch > 0 ? kCmdWheelNextPicture : kCmdWheelPreviousPicture);
  return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  const InputRoute& route = RouteOf(data);
  // Closing any window of the viewer quits at once, without the quit question.
  if (!Routing(route)) return TRUE;
  PostCommand(route.target, kCmdQuitNow);
  return TRUE;
}

}  // namespace

void RouteWheelOf(GtkWidget* widget, const InputRoute& route) {
  if (widget == nullptr || route.toolbar == nullptr) return;
  gtk_widget_add_events(widget, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
  Connect(widget, "scroll-event", G_CALLBACK(OnScroll), route);
}

void RouteWheelStepsOf(GtkWidget* pictureView, const InputRoute& route) {
  if (pictureView == nullptr || route.toolbar == nullptr) return;
  Connect(pictureView, "scroll-event", G_CALLBACK(OnPictureScroll), route);
}

void RouteKeysOf(GtkWindow* window, const InputRoute& route) {
  if (window == nullptr || route.toolbar == nullptr) return;
  Connect(window, "key-press-event", G_CALLBACK(OnKeyPress), route);
  Connect(window, "delete-event", G_CALLBACK(OnDelete), route);
  RouteWheelOf(GTK_WIDGET(window), route);
}

}  // namespace kov

#include "app/KeyRouting.h"

#include "app/logic/KeyTable.h"
#include "platform/CommandQueue.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"

#include <vector>

namespace kov {

namespace {

std::function<KeyView()>& KeyViewSource() {
  static std::function<KeyView()> source;
  return source;
}

KeyView ViewInFront() { return KeyViewSource() ? KeyViewSource()() : KeyView::kThumbnails; }

bool Routing(gpointer toolbar) {
  GtkWidget* layer = GTK_WIDGET(toolbar);
  return TopLevelWindows().IsVisible(WindowIdOf(layer)) && gtk_widget_get_visible(layer);
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer toolbar) {
  if (!Routing(toolbar)) return FALSE;
  KeyPress key;
  key.keysym = event->keyval;
  key.ctrl = (event->state & GDK_CONTROL_MASK) != 0;
  key.shift = (event->state & GDK_SHIFT_MASK) != 0;
  key.alt = (event->state & GDK_MOD1_MASK) != 0;
  const KeyView view = ViewInFront();
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
  PostCommand(ToolbarTarget(), command);
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

gboolean OnScroll(GtkWidget*, GdkEvent*, gpointer toolbar) {
  if (Routing(toolbar)) PostCommand(ToolbarTarget(), kCmdWheel);
  return FALSE;  // the page still scrolls
}

// Ctrl+wheel zooms in the page itself.
gboolean OnPictureScroll(GtkWidget*, GdkEvent* event, gpointer toolbar) {
  const GdkEventScroll* scroll = &event->scroll;
  if (!Routing(toolbar) || ViewInFront() != KeyView::kPicture || (scroll->state & GDK_CONTROL_MASK) != 0)
    return FALSE;
  int notch = WheelNotch(event);
  if (notch != 0) PostCommand(ToolbarTarget(), notch > 0 ? kCmdWheelNextPicture : kCmdWheelPreviousPicture);
  return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer toolbar) {
  // Closing any window of the viewer quits at once, without the quit question.
  if (!Routing(toolbar)) return TRUE;
  PostCommand(ToolbarTarget(), kCmdQuitNow);
  return TRUE;
}

}  // namespace

void SetKeyViewSource(std::function<KeyView()> source) { KeyViewSource() = std::move(source); }

void RouteWheelOf(GtkWidget* widget, GtkWidget* toolbar) {
  if (widget == nullptr || toolbar == nullptr) return;
  gtk_widget_add_events(widget, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
  g_signal_connect(widget, "scroll-event", G_CALLBACK(OnScroll), toolbar);
}

void RouteWheelStepsOf(GtkWidget* pictureView, GtkWidget* toolbar) {
  if (pictureView == nullptr || toolbar == nullptr) return;
  g_signal_connect(pictureView, "scroll-event", G_CALLBACK(OnPictureScroll), toolbar);
}

void RouteKeysOf(GtkWindow* window, GtkWidget* toolbar) {
  if (window == nullptr || toolbar == nullptr) return;
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), toolbar);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), toolbar);
  RouteWheelOf(GTK_WIDGET(window), toolbar);
}

}  // namespace kov

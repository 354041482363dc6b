#include "app/KeyRouting.h"

#include "app/logic/KeyTable.h"
#include "platform/CommandQueue.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"

#include <vector>

namespace kov {

namespace {

bool Routing(gpointer toolbar) {
  GtkWindow* window = GTK_WINDOW(toolbar);
  return TopLevelWindows().IsVisible(WindowIdOf(window)) &&
         gtk_widget_get_visible(GTK_WIDGET(window));
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer toolbar) {
  if (!Routing(toolbar)) return FALSE;
  KeyPress key;
  key.keysym = event->keyval;
  key.ctrl = (event->state & GDK_CONTROL_MASK) != 0;
  key.shift = (event->state & GDK_SHIFT_MASK) != 0;
  key.alt = (event->state & GDK_MOD1_MASK) != 0;
  int command = CommandForKey(key);
  if (command == 0) {
    // A layout whose digits need Shift, or without Latin letters: the key's place.
    GdkKeymapKey* places = nullptr;
    guint* levels = nullptr;
    gint count = 0;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
    if (gdk_keymap_get_entries_for_keycode(keymap, event->hardware_keycode, &places, &levels, &count)) {
      std::vector<uint32_t> syms(levels, levels + count);
      command = CommandForKeyPlace(key, syms.data(), syms.size());
      g_free(places);
      g_free(levels);
    }
  }
  if (command == 0) return FALSE;  // the page gets the key
  PostCommand(ToolbarTarget(), command);
  return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEvent*, gpointer toolbar) {
  if (Routing(toolbar)) PostCommand(ToolbarTarget(), kCmdWheel);
  return FALSE;  // the page still scrolls
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer toolbar) {
  // Closing any window of the viewer quits at once, without the quit question.
  if (!Routing(toolbar)) return TRUE;
  PostCommand(ToolbarTarget(), kCmdQuitNow);
  return TRUE;
}

}  // namespace

void RouteWheelOf(GtkWidget* widget, GtkWindow* toolbar) {
  if (widget == nullptr || toolbar == nullptr) return;
  gtk_widget_add_events(widget, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
  g_signal_connect(widget, "scroll-event", G_CALLBACK(OnScroll), toolbar);
}

void RouteKeysOf(GtkWindow* window, GtkWindow* toolbar) {
  if (window == nullptr || toolbar == nullptr) return;
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), toolbar);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), toolbar);
  RouteWheelOf(GTK_WIDGET(window), toolbar);
}

}  // namespace kov

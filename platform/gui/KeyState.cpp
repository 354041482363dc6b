#include "platform/gui/KeyState.h"

#include <X11/keysym.h>
#include <gdk/gdkx.h>

namespace kov {

namespace {

bool KeyIsDown(Display* display, const char keys[32], KeySym symbol) {
  KeyCode code = XKeysymToKeycode(display, symbol);
  return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

}  // namespace

bool AltKeyIsDown() {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return false;
  if (!GDK_IS_X11_DISPLAY(display))
    return (gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(display)) & GDK_MOD1_MASK) != 0;
  Display* xdisplay = gdk_x11_display_get_xdisplay(display);
  char keys[32] = {};
  XQueryKeymap(xdisplay, keys);
  return KeyIsDown(xdisplay, keys, XK_Alt_L) || KeyIsDown(xdisplay, keys, XK_Alt_R);
}

}  // namespace kov

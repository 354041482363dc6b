#pragma once
// The viewer's keyboard and mouse routing, connected to each of its top-level windows
// ahead of the page inside: mapped keys post their command to the toolbar and go no
// further, the wheel posts kCmdWheel and is then delivered as usual, and closing a window
// posts kCmdQuitNow (quit without a question). All of it is inert while the toolbar is
// hidden, so keys reach a modal tool dialog untouched.
#include <gtk/gtk.h>

namespace kov {

void RouteKeysOf(GtkWindow* window, GtkWindow* toolbar);
// The wheel reaches the widget under the pointer first: a page's view is watched itself.
void RouteWheelOf(GtkWidget* widget, GtkWindow* toolbar);

}  // namespace kov

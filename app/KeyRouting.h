#pragma once
// The viewer's keyboard and mouse routing, connected to its window ahead of the pages
// inside: mapped keys post their command to the toolbar and go no
// further, the wheel posts kCmdWheel and is then delivered as usual, and closing the window
// posts kCmdQuitNow (quit without a question). All of it is inert while the toolbar is
// hidden, so keys reach a modal tool dialog untouched.
#include <gtk/gtk.h>

#include <functional>

#include "app/logic/KeyBindings.h"

namespace kov {

// Which view is in front, so the picture view's own keys and wheel steps apply only
// there; without a source every key is looked up as in the thumbnail list.
void SetKeyViewSource(std::function<KeyView()> source);

void RouteKeysOf(GtkWindow* window, GtkWidget* toolbar);
// The wheel reaches the widget under the pointer first: a page's view is watched itself.
void RouteWheelOf(GtkWidget* widget, GtkWidget* toolbar);
// Over the picture view, a wheel notch without Ctrl also posts a step to the next or
// the previous picture, which is taken only when the picture fits the screen.
void RouteWheelStepsOf(GtkWidget* pictureView, GtkWidget* toolbar);

}  // namespace kov

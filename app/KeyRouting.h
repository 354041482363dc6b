#pragma once
// The viewer's keyboard and mouse routing, connected to its window ahead of the pages
// inside: mapped keys post their command to the viewer and go no
// further, the wheel posts kCmdWheel and is then delivered as usual, and closing the window
// posts kCmdQuitNow (quit without a question). All of it is inert while the toolbar is
// hidden, so keys reach a modal tool dialog untouched.
#include <gtk/gtk.h>

#include <functional>

#include "app/logic/KeyBindings.h"
#include "platform/CommandQueue.h"

namespace kov {

// Where routed input goes and when: the commands go to target while toolbar is shown;
// viewInFront says which view is in front, so the picture view's own keys and wheel
// steps apply only there (without it every key is looked up as in the thumbnail list).
// Each connection keeps its own copy.
struct InputRoute {
  CommandTarget target = 0;
  GtkWidget* toolbar = nullptr;
  std::function<KeyView()> viewInFront;
};

void RouteKeysOf(GtkWindow* window, const InputRoute& route);
// The wheel reaches the widget under the pointer first: a page's view is watched itself.
void RouteWheelOf(GtkWidget* widget, const InputRoute& route);
// Over the picture view, a wheel notch without Ctrl also posts a step to the next or
// the previous picture, which is taken only when the picture fits the screen.
void RouteWheelStepsOf(GtkWidget* pictureView, const InputRoute& route);

}  // namespace kov

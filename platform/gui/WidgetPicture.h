#pragma once
// A picture of a widget as GTK draws it now, made without waiting for the screen.
// A screen grab shows the last frame that reached X, which lags a change just made
// (a new status text) by one paint; drawing the widget ourselves shows exactly its
// present state, so a picture taken the moment something happens is never stale
// and never missed. Web views are left out: the engine paints them on its own, so
// GTK's drawing shows only the window's background where they are.
#include <gtk/gtk.h>

namespace kov {

// The widget at its allocated size; nullptr when it is not realized or has no size
// yet. The caller unrefs the result.
GdkPixbuf* DrawWidgetPicture(GtkWidget* widget);

}  // namespace kov

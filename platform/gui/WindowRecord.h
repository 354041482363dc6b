#pragma once
// Top-level windows placed by the program itself (no window manager may be present):
// undecorated GtkWindows whose rectangle, visibility and stacking order are kept in
// TopLevelWindows() and pushed to X explicitly. Every call here updates the record
// first, so front-pane questions never need to ask the X server.
#include <gtk/gtk.h>

#include "platform/Screen.h"
#include "platform/WindowStack.h"

namespace kov {

// A new undecorated, hidden top-level window at rect, entered in the record; its entry
// goes away when the window is destroyed.
GtkWindow* CreateTopLevel(const Rect& rect, bool topmost = false);

WindowId WindowIdOf(GtkWindow* window);  // 0 for windows not made by CreateTopLevel
GtkWindow* WindowOfId(WindowId id);      // nullptr for unknown ids

void MoveTopLevel(GtkWindow* window, const Rect& rect);
// Showing also raises, as a shown window comes to the front; children keep their own
// visibility (show them when they are made).
void ShowTopLevel(GtkWindow* window, bool show);
void RaiseTopLevel(GtkWindow* window);
void FocusTopLevel(GtkWindow* window);
// Covers the primary monitor: moved to 0,0 and sized to it.
void MaximiseTopLevel(GtkWindow* window);

// The primary monitor's rectangle, origin 0,0 (installed as GetScreenRect's source).
Rect PrimaryMonitorRect();

}  // namespace kov

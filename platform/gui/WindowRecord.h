#pragma once
// The viewer's one top-level window and the layers stacked inside it. A layer host is
// a GtkWindow holding a GtkOverlay; each layer (a pane, the toolbar, the folder tree)
// is an overlay child at a rectangle in the window's coordinates, shown or hidden, and
// stacked as the record TopLevelWindows() orders it. Every call here updates the
// record first, so front-pane questions are answered from the record alone: no window
// manager's stacking is asked or needed, and none can disturb it.
#include <gtk/gtk.h>

#include "platform/Screen.h"
#include "platform/WindowStack.h"

namespace kov {

// A new hidden top-level window at rect (screen coordinates) whose content is a
// stack of layers.
GtkWindow* CreateLayerHost(const Rect& rect);
// The host's content rectangle, origin 0,0: where its layers can be.
Rect LayerHostRect(GtkWindow* host);

// A new hidden layer inside host at rect (window coordinates), entered in the record
// on top of its band (topmost layers stay above the others). The layer is an event box
// with a window of its own, so it can be shaped and take the pointer; put one child
// in it. Its entry goes away when it is destroyed.
GtkWidget* CreateLayer(GtkWindow* host, const Rect& rect, bool topmost = false);

// Leaves the layer unmapped, drawing nothing, while it has never been drawn and a
// shown layer above holds all of it; from its first drawing on it is mapped like any
// other. A page view in such a layer keeps no window-sized picture of its page until
// the page is first in sight, but its first showing waits for the page to be drawn.
void MapOnceInSight(GtkWidget* layer);

WindowId WindowIdOf(GtkWidget* layer);  // 0 for widgets not made by CreateLayer
GtkWidget* LayerOfId(WindowId id);      // nullptr for unknown ids
GtkWindow* HostOf(GtkWidget* layer);    // nullptr for widgets not made by CreateLayer

// An empty rectangle keeps the layer out of sight without changing whether it is shown.
void MoveLayer(GtkWidget* layer, const Rect& rect);
// Showing also raises, as a shown window comes to the front.
void ShowLayer(GtkWidget* layer, bool show);
void RaiseLayer(GtkWidget* layer);
// The layer's rectangle in screen coordinates, from where the host is now.
Rect LayerOnScreen(GtkWidget* layer);

// Moves and sizes a top-level window (the layer host, or a window of its own) to rect.
void PlaceWindow(GtkWindow* window, const Rect& rect);

// The primary monitor's rectangle, origin 0,0 (installed as GetScreenRect's source),
// and its number among the display's monitors.
Rect PrimaryMonitorRect();
int PrimaryMonitorNumber();

}  // namespace kov

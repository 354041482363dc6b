#pragma once
// What a desktop sees of the viewer's windows: every one titled "KOV" and drawn with
// the program icon, and one taskbar entry for the whole program. The information
// pane, shown from start to end, carries that entry; the other windows skip the
// taskbar and the pager, so Alt+Tab reaches KOV once.
#include <gtk/gtk.h>

namespace kov {

// Makes the program icon (16 to 256 pixels, from the resources) every window's
// default; false when the pictures could not be read.
bool UseProgramIcon();

void MarkTaskbarWindow(GtkWindow* window);
void MarkHelperWindow(GtkWindow* window);

}  // namespace kov

#pragma once
// What a desktop sees of the viewer's windows: the program icon on the viewer's one
// window and on every dialog.
#include <gtk/gtk.h>

namespace kov {

// Makes the program icon (16 to 256 pixels, from the resources) every window's
// default; false when the pictures could not be read.
bool UseProgramIcon();

}  // namespace kov

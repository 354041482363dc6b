#include "platform/gui/GtkSetup.h"

#include <gtk/gtk.h>

#include "platform/DrawingEnvironment.h"
#include "platform/Screen.h"
#include "platform/gui/WindowRecord.h"

namespace kov {

bool InitToolkit(int* argc, char*** argv) {
  ChooseDrawingWithoutGl();
  if (!gtk_init_check(argc, argv)) return false;
  // Overlay scroll bars redraw a page about 60 times a second while they fade, for 3 to
  // 4 s after every page is shown; classic scroll bars are drawn once.
  g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr);
  SetScreenRectSource(PrimaryMonitorRect);
  return true;
}

}  // namespace kov

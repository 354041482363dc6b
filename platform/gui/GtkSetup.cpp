#include "platform/gui/GtkSetup.h"

#include <gtk/gtk.h>

#include "platform/Screen.h"
#include "platform/gui/WindowRecord.h"

namespace kov {

bool InitToolkit(int* argc, char*** argv) {
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(argc, argv)) return false;
  // Overlay scroll bars keep the pages redrawing 60 times a second after their fade,
  // a steady tenth of a core spent on nothing; classic scroll bars are drawn once.
  g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr);
  SetScreenRectSource(PrimaryMonitorRect);
  return true;
}

}  // namespace kov

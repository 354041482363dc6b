#include "platform/gui/GtkSetup.h"

#include <gtk/gtk.h>

#include "platform/Screen.h"
#include "platform/gui/WindowRecord.h"

namespace kov {

bool InitToolkit(int* argc, char*** argv) {
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(argc, argv)) return false;
  SetScreenRectSource(PrimaryMonitorRect);
  return true;
}

}  // namespace kov

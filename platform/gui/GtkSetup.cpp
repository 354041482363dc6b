#include "platform/gui/GtkSetup.h"

#include <gtk/gtk.h>

namespace kov {

bool InitToolkit(int* argc, char*** argv) {
  gdk_set_allowed_backends("x11");
  return gtk_init_check(argc, argv);
}

}  // namespace kov

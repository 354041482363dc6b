#include "platform/gui/ModalDialogs.h"

#include <gtk/gtk.h>

namespace kov {

// A modal window takes GTK's grab while it is shown; a menu takes one too, but its
// window is a popup that is not modal.
bool IsModalDialogUp() {
  GtkWidget* grab = gtk_grab_get_current();
  if (grab == nullptr) return false;
  GtkWidget* top = gtk_widget_get_toplevel(grab);
  return GTK_IS_WINDOW(top) && gtk_window_get_modal(GTK_WINDOW(top)) && gtk_widget_get_visible(top);
}

}  // namespace kov

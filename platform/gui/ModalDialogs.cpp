#include "platform/gui/ModalDialogs.h"

namespace kov {

namespace {

struct Waiting {
  std::function<void()> then;
  GtkWidget* dialog;
  gulong hidden = 0, destroyed = 0;
};

// The dialog has gone: the work runs from the loop, where the dialog's own loop has
// ended, or waits for the next dialog that has taken the input meanwhile.
void OnDialogGone(GtkWidget*, gpointer data) {
  auto* waiting = static_cast<Waiting*>(data);
  g_signal_handler_disconnect(waiting->dialog, waiting->hidden);
  g_signal_handler_disconnect(waiting->dialog, waiting->destroyed);
  g_idle_add(+[](gpointer data) -> gboolean {
               auto* waiting = static_cast<Waiting*>(data);
               AfterModalDialogs(std::move(waiting->then));
               delete waiting;
               return G_SOURCE_REMOVE;
             },
             waiting);
}

}  // namespace

// A modal window takes GTK's grab while it is shown; a menu takes one too, but its
// window is a popup that is not modal.
GtkWindow* ModalDialogUp() {
  GtkWidget* grab = gtk_grab_get_current();
  if (grab == nullptr) return nullptr;
  GtkWidget* top = gtk_widget_get_toplevel(grab);
  bool modal = GTK_IS_WINDOW(top) && gtk_window_get_modal(GTK_WINDOW(top)) && gtk_widget_get_visible(top);
  return modal ? GTK_WINDOW(top) : nullptr;
}

bool IsModalDialogUp() { return ModalDialogUp() != nullptr; }

void AfterModalDialogs(std::function<void()> then) {
  GtkWindow* dialog = ModalDialogUp();
  if (dialog == nullptr) {
    then();
    return;
  }
  auto* waiting = new Waiting{std::move(then), GTK_WIDGET(dialog)};
  waiting->hidden = g_signal_connect(dialog, "hide", G_CALLBACK(OnDialogGone), waiting);
  waiting->destroyed = g_signal_connect(dialog, "destroy", G_CALLBACK(OnDialogGone), waiting);
}

}  // namespace kov

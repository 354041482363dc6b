// Message boxes with the string table's texts.
#include "tools/gui/MessageBox.h"

#include "res/StringTable.h"

namespace kov {
namespace {

IMessageBox* g_installed = nullptr;

}  // namespace

void CGtkMessageBox::ShowMessage(GtkWindow* parent, int stringId, GtkMessageType type) {
  const char* text = LoadString(stringId);
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, type, GTK_BUTTONS_OK, "%s",
                                          text != nullptr ? text : "");
  gtk_window_set_title(GTK_WINDOW(box), "KOV");
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

IMessageBox& GetMessageBox() {
  static CGtkMessageBox toolkit;
  return g_installed != nullptr ? *g_installed : toolkit;
}

void SetMessageBox(IMessageBox* box) { g_installed = box; }

}  // namespace kov

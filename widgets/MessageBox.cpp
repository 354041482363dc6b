#include "widgets/MessageBox.h"

#include "res/StringTable.h"

namespace kov {

namespace {

IMessageBox* g_installed = nullptr;

gint RunMessageBox(GtkWindow* parent, GtkMessageType type, GtkButtonsType buttons,
                   gint defaultResponse, const std::string& text) {
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, type, buttons, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(box), "KOV");
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(box), defaultResponse);
  gint answer = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return answer;
}

}  // namespace

bool CGtkMessageBox::AskYesNo(GtkWindow* parent, const std::string& text) {
  return RunMessageBox(parent, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO, GTK_RESPONSE_YES, text) ==
         GTK_RESPONSE_YES;
}

void CGtkMessageBox::ShowNotice(GtkWindow* parent, const std::string& text) {
  RunMessageBox(parent, GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, GTK_RESPONSE_OK, text);
}

void CGtkMessageBox::ShowMessage(GtkWindow* parent, StringId stringId, GtkMessageType type) {
  const char* text = LoadString(stringId);
  RunMessageBox(parent, type, GTK_BUTTONS_OK, GTK_RESPONSE_OK, text != nullptr ? text : "");
}

IMessageBox& GetMessageBox() {
  static CGtkMessageBox toolkitBox;
  return g_installed ? *g_installed : toolkitBox;
}

void SetMessageBox(IMessageBox* messageBox) { g_installed = messageBox; }

}  // namespace kov

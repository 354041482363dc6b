#include "app/QuitQuestion.h"

#include <string>

#include "res/StringTable.h"

namespace kov {

namespace {

IQuitQuestion* g_installed = nullptr;

// The message box shows "\r\n" breaks as plain line breaks.
std::string WithoutCarriageReturns(const char* text) {
  std::string out;
  for (const char* p = text ? text : ""; *p; ++p)
    if (*p != '\r') out += *p;
  return out;
}

}  // namespace

bool CMessageBoxQuitQuestion::AskToQuit(GtkWindow* parent) {
  std::string text = WithoutCarriageReturns(LoadString(StringId::kQuitQuestion));
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                          GTK_BUTTONS_YES_NO, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(box), "KOV");
  // Yes is the default, so Return quits, as the question's Yes is the first answer.
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(box), TRUE);
  gtk_window_set_skip_pager_hint(GTK_WINDOW(box), TRUE);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gint answer = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return answer == GTK_RESPONSE_YES;
}

IQuitQuestion& GetQuitQuestion() {
  static CMessageBoxQuitQuestion messageBox;
  return g_installed ? *g_installed : messageBox;
}

void SetQuitQuestion(IQuitQuestion* question) { g_installed = question; }

}  // namespace kov

#include "thumbs/gui/UnsavedCacheNotice.h"

namespace kov {

namespace {
IUnsavedCacheNotice* g_installed = nullptr;
}  // namespace

void CMessageBoxUnsavedCacheNotice::Tell(GtkWindow* parent, const std::string& text) {
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING, GTK_BUTTONS_OK,
                                          "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(box), "KOV");
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

IUnsavedCacheNotice& GetUnsavedCacheNotice() {
  static CMessageBoxUnsavedCacheNotice messageBox;
  return g_installed ? *g_installed : messageBox;
}

void SetUnsavedCacheNotice(IUnsavedCacheNotice* notice) { g_installed = notice; }

}  // namespace kov

#include "app/SaveChooser.h"

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "tools/UserFolders.h"

namespace kov {

namespace {
ISaveChooser* g_installed = nullptr;
}  // namespace

bool CGtkSaveChooser::ChooseSavePath(GtkWindow* parent, const std::string& picture, std::string* target) {
  GtkWidget* dialog = gtk_file_chooser_dialog_new("Save Picture", parent, GTK_FILE_CHOOSER_ACTION_SAVE,
                                                  "_Cancel", GTK_RESPONSE_CANCEL, "_Save",
                                                  GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gtk_file_chooser_set_current_folder(chooser, PicturesFolder().c_str());
  // The name box takes UTF-8; a name in another encoding is offered as it displays.
  gtk_file_chooser_set_current_name(chooser, DisplayName(BaseName(picture)).c_str());
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  bool chosen = false;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    gchar* path = gtk_file_chooser_get_filename(chooser);
    if (path != nullptr) {
      *target = path;
      chosen = true;
    }
    g_free(path);
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

ISaveChooser& GetSaveChooser() {
  static CGtkSaveChooser toolkitChooser;
  return g_installed ? *g_installed : toolkitChooser;
}

void SetSaveChooser(ISaveChooser* chooser) { g_installed = chooser; }

}  // namespace kov

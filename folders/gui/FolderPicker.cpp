#include "folders/gui/FolderPicker.h"

#include "folders/FolderTreeModel.h"

namespace kov {

namespace {

IFolderPicker* g_installedPicker = nullptr;

// The chosen item as a local folder path; "" for anything else (a remote location,
// a file, nothing).
std::string ChosenLocalFolder(GtkFileChooser* chooser) {
  gchar* chosen = gtk_file_chooser_get_filename(chooser);
  std::string path = chosen ? chosen : "";
  g_free(chosen);
  return IsExistingDirectory(path) ? path : "";
}

// OK is offered only while a local folder is chosen.
void OnChoiceChanged(GtkFileChooser* chooser, gpointer dialog) {
  gtk_dialog_set_response_sensitive(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT,
                                    !ChosenLocalFolder(chooser).empty());
}

void PlaceAndFocus(GtkWidget* dialog) {
  // No window manager may be present: raise the dialog and hand it the focus.
  gtk_widget_show(dialog);
  gtk_window_present(GTK_WINDOW(dialog));
  if (GdkWindow* surface = gtk_widget_get_window(dialog)) {
    gdk_window_raise(surface);
    gdk_window_focus(surface, GDK_CURRENT_TIME);
  }
}

}  // namespace

bool CGtkFolderPicker::BrowseForFolder(GtkWindow* owner, std::string* path, bool rootIsComputer) {
  if (!path) return false;
  GtkWidget* dialog = gtk_file_chooser_dialog_new("Choose a Folder", owner, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Cancel",
                                                  GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  gtk_window_set_position(GTK_WINDOW(dialog), owner ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
  if (IsExistingDirectory(*path)) {
    gtk_file_chooser_set_filename(chooser, path->c_str());
  } else {
    gtk_file_chooser_set_current_folder(chooser, rootIsComputer ? "/" : g_get_home_dir());
  }
  g_signal_connect(dialog, "selection-changed", G_CALLBACK(OnChoiceChanged), dialog);
  PlaceAndFocus(dialog);

  bool chosen = false;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    std::string folder = ChosenLocalFolder(chooser);
    if (!folder.empty()) {
      *path = folder;
      chosen = true;
    }
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

IFolderPicker& GetFolderPicker() {
  static CGtkFolderPicker toolkitPicker;
  return g_installedPicker ? *g_installedPicker : toolkitPicker;
}

void SetFolderPicker(IFolderPicker* picker) { g_installedPicker = picker; }

bool BrowseForFolder(GtkWindow* owner, std::string* path, bool rootIsComputer) {
  return GetFolderPicker().BrowseForFolder(owner, path, rootIsComputer);
}

}  // namespace kov

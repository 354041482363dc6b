// The open-file and save-picture dialogs.
#include "files/gui/FileChooser.h"

#include <cctype>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "res/StringTable.h"
#include "files/FileFilter.h"
#include "folders/UserFolders.h"

namespace kov {
namespace {

IFileChooser* g_installed = nullptr;

// "*.gif" as "*.[gG][iI][fF]": extensions match in any letter case.
std::string AnyCasePattern(const std::string& pattern) {
  std::string out;
  for (char c : pattern) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isalpha(u))
      out += std::string("[") + static_cast<char>(std::tolower(u)) + static_cast<char>(std::toupper(u)) + "]";
    else
      out += c;
  }
  return out;
}

void AddFilters(GtkFileChooser* chooser, StringId filterStringId) {
  const char* text = LoadString(filterStringId);
  for (const FileFilter& filter : ParseFileFilters(text != nullptr ? text : "")) {
    GtkFileFilter* gtkFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(gtkFilter, filter.name.c_str());
    for (const std::string& pattern : filter.patterns)
      gtk_file_filter_add_pattern(gtkFilter, AnyCasePattern(pattern).c_str());
    gtk_file_chooser_add_filter(chooser, gtkFilter);  // the chooser owns it
  }
}

// A modal chooser dialog over owner with Cancel and accept buttons, local files only.
GtkWidget* NewChooserDialog(const char* title, GtkWindow* owner, GtkFileChooserAction action,
                            const char* acceptLabel) {
  GtkWidget* dialog = gtk_file_chooser_dialog_new(title, owner, action, "_Cancel", GTK_RESPONSE_CANCEL,
                                                  acceptLabel, GTK_RESPONSE_ACCEPT, nullptr);
  gtk_file_chooser_set_local_only(GTK_FILE_CHOOSER(dialog), TRUE);
  return dialog;
}

// Runs dialog and destroys it; true with the chosen file in *path when accepted.
bool RunChooserDialog(GtkWidget* dialog, std::string* path) {
  bool chosen = false;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    if (file != nullptr) {
      *path = file;
      chosen = true;
    }
    g_free(file);
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

}  // namespace

bool CGtkFileChooser::ChooseFileToOpen(GtkWindow* owner, StringId filterStringId,
                                       std::string* path) {
  GtkWidget* dialog = NewChooserDialog("Open", owner, GTK_FILE_CHOOSER_ACTION_OPEN, "_Open");
  AddFilters(GTK_FILE_CHOOSER(dialog), filterStringId);
  return RunChooserDialog(dialog, path);
}

bool CGtkFileChooser::ChooseFileToSave(GtkWindow* owner, const std::string& picture, std::string* path) {
  GtkWidget* dialog = NewChooserDialog("Save Picture", owner, GTK_FILE_CHOOSER_ACTION_SAVE, "_Save");
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gtk_file_chooser_set_current_folder(chooser, PicturesFolder().c_str());
  // The name box takes UTF-8; a name in another encoding is offered as it displays.
  gtk_file_chooser_set_current_name(chooser, DisplayName(BaseName(picture)).c_str());
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  return RunChooserDialog(dialog, path);
}

IFileChooser& GetFileChooser() {
  static CGtkFileChooser toolkit;
  return g_installed != nullptr ? *g_installed : toolkit;
}

void SetFileChooser(IFileChooser* chooser) { g_installed = chooser; }

}  // namespace kov

// The open-file dialog.
#include "tools/gui/FileChooser.h"

#include <cctype>

#include "res/StringTable.h"
#include "tools/FileFilter.h"

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

void AddFilters(GtkFileChooser* chooser, int filterStringId) {
  const char* text = LoadString(filterStringId);
  for (const FileFilter& filter : ParseFileFilters(text != nullptr ? text : "")) {
    GtkFileFilter* gtkFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(gtkFilter, filter.name.c_str());
    for (const std::string& pattern : filter.patterns)
      gtk_file_filter_add_pattern(gtkFilter, AnyCasePattern(pattern).c_str());
    gtk_file_chooser_add_filter(chooser, gtkFilter);  // the chooser owns it
  }
}

}  // namespace

bool CGtkFileChooser::ChooseFileToOpen(GtkWindow* owner, int filterStringId, std::string* path) {
  GtkWidget* dialog = gtk_file_chooser_dialog_new("Open", owner, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                                  GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  AddFilters(chooser, filterStringId);
  bool chosen = false;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    gchar* file = gtk_file_chooser_get_filename(chooser);
    if (file != nullptr) {
      *path = file;
      chosen = true;
    }
    g_free(file);
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

IFileChooser& GetFileChooser() {
  static CGtkFileChooser toolkit;
  return g_installed != nullptr ? *g_installed : toolkit;
}

void SetFileChooser(IFileChooser* chooser) { g_installed = chooser; }

}  // namespace kov

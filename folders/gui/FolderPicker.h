#pragma once
// Asking the user for a folder. Callers go through IFolderPicker so tests can put
// their own answer in place of the dialog.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class IFolderPicker {
 public:
  virtual ~IFolderPicker() = default;
  // path in: the initial folder (used when it is an existing directory); out: the
  // chosen folder. rootIsComputer starts a picker without an initial folder at "/"
  // (the whole machine), otherwise at the home folder. true only when the user chose
  // a local folder; path is left alone otherwise.
  virtual bool BrowseForFolder(GtkWindow* owner, std::string* path, bool rootIsComputer) = 0;
};

// The folder chooser dialog of the toolkit, run modally.
class CGtkFolderPicker : public IFolderPicker {
 public:
  bool BrowseForFolder(GtkWindow* owner, std::string* path, bool rootIsComputer) override;
};

// The picker the program's dialogs use: the toolkit's unless a test installed its own.
IFolderPicker& GetFolderPicker();
// Installs picker (not owned); null restores the toolkit's.
void SetFolderPicker(IFolderPicker* picker);

// Free-function form used by the tools: GetFolderPicker().BrowseForFolder(...).
bool BrowseForFolder(GtkWindow* owner, std::string* path, bool rootIsComputer);

}  // namespace kov

#pragma once
// Asking the user for an existing file to open. Callers go through IFileChooser so
// tests can put their own answer in place of the dialog.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class IFileChooser {
 public:
  virtual ~IFileChooser() = default;
  // Runs an open-file dialog over owner with the filters of string filterStringId;
  // true with the chosen file's full path in *path when the user confirmed.
  virtual bool ChooseFileToOpen(GtkWindow* owner, int filterStringId, std::string* path) = 0;
};

// The toolkit's file chooser, run modally.
class CGtkFileChooser : public IFileChooser {
 public:
  bool ChooseFileToOpen(GtkWindow* owner, int filterStringId, std::string* path) override;
};

// The chooser the program's dialogs use: the toolkit's unless a test installed its own.
IFileChooser& GetFileChooser();
// Installs chooser (not owned); null restores the toolkit's.
void SetFileChooser(IFileChooser* chooser);

}  // namespace kov

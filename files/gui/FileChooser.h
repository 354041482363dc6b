#pragma once
// Asking the user for a file: an existing one to open, or the name to save a picture
// under. Callers go through IFileChooser so tests can put their own answer in place
// of the dialog.
#include <gtk/gtk.h>

#include <string>

#include "res/ResourceIds.h"

namespace kov {

class IFileChooser {
 public:
  virtual ~IFileChooser() = default;
  // Runs an open-file dialog over owner with the filters of the string filterStringId;
  // true with the chosen file's full path in *path when the user confirmed.
  virtual bool ChooseFileToOpen(GtkWindow* owner, StringId filterStringId, std::string* path) = 0;
  // Runs a save dialog over owner that offers picture's name in the user's Pictures
  // folder and asks before an existing file is replaced; true with the chosen path in
  // *path when the user saved.
  virtual bool ChooseFileToSave(GtkWindow* owner, const std::string& picture, std::string* path) = 0;
};

// The toolkit's file chooser, run modally.
class CGtkFileChooser : public IFileChooser {
 public:
  bool ChooseFileToOpen(GtkWindow* owner, StringId filterStringId, std::string* path) override;
  bool ChooseFileToSave(GtkWindow* owner, const std::string& picture, std::string* path) override;
};

// The chooser the program's dialogs use: the toolkit's unless a test installed its own.
IFileChooser& GetFileChooser();
// Installs chooser (not owned); null restores the toolkit's.
void SetFileChooser(IFileChooser* chooser);

}  // namespace kov

#pragma once
// "Prepare Photo CD": the user picks the folder that becomes the disc's root; OK
// writes the autorun files and the program copy (tools/PhotoCd) and builds the
// thumbnail caches of the whole tree, so the disc never has to make thumbnails.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class CPhotoCdDlg {
 public:
  // folder: the proposed root ("" for none).
  explicit CPhotoCdDlg(const std::string& folder) : rootFolder_(folder) {}
  ~CPhotoCdDlg();
  CPhotoCdDlg(const CPhotoCdDlg&) = delete;
  CPhotoCdDlg& operator=(const CPhotoCdDlg&) = delete;

  // Builds the hidden dialog over parent (may be null).
  void Create(GtkWindow* parent);
  // Shows it and runs it; true after "Done!", false when the user cancelled the
  // dialog or the thumbnail build.
  bool DoModal(GtkWindow* parent);

  const std::string& rootFolder() const { return rootFolder_; }
  GtkWidget* window() const { return dialog_; }
  GtkWidget* okButton() const { return ok_; }
  GtkWidget* cancelButton() const { return cancel_; }
  GtkWidget* browseButton() const { return browse_; }
  GtkWidget* thumbnailsBox() const { return thumbnails_; }
  GtkWidget* autorunBox() const { return autorun_; }

  void OnBrowse();
  // OK: writes the files; stays open after a failure's message.
  void OnOK();

 private:
  void UpdateOkButton();

  std::string rootFolder_;
  GtkWidget* dialog_ = nullptr;
  GtkWidget* folderBox_ = nullptr;
  GtkWidget* browse_ = nullptr;
  GtkWidget* thumbnails_ = nullptr;
  GtkWidget* autorun_ = nullptr;
  GtkWidget* ok_ = nullptr;
  GtkWidget* cancel_ = nullptr;
};

}  // namespace kov

#pragma once
// "Create Thumbnails for Web Page": the user picks an images folder; OK removes the
// thumbnails of an earlier run, renders and captures every picture of the folder in
// the thumbnail builder's window (kovtnN.gif beside each picture, see
// CWebThumbStore), writes tnlist.htm and, when the box is checked, opens it with the
// desktop's default handler.
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "tools/WebThumbPage.h"

namespace kov {

class CWebThumbDlg {
 public:
  // The images folder starts as the remembered "webthumbimgdir".
  CWebThumbDlg();
  ~CWebThumbDlg();
  CWebThumbDlg(const CWebThumbDlg&) = delete;
  CWebThumbDlg& operator=(const CWebThumbDlg&) = delete;

  // Builds the hidden dialog over parent (may be null).
  void Create(GtkWindow* parent);
  // Shows it and runs it; true once the page was written (also for a folder without
  // pictures), false when the dialog or the rendering was cancelled.
  bool DoModal(GtkWindow* parent);

  const std::string& imagesFolder() const { return imagesFolder_; }
  const std::vector<WebThumbEntry>& entries() const { return entries_; }
  GtkWidget* window() const { return dialog_; }
  GtkWidget* okButton() const { return ok_; }
  GtkWidget* cancelButton() const { return cancel_; }
  GtkWidget* browseButton() const { return browse_; }
  GtkWidget* openBox() const { return open_; }
  GtkWidget* countLabel() const { return count_; }

  void OnBrowse();
  void OnOK();

 private:
  void UpdateOkButton();

  std::string imagesFolder_;
  std::vector<WebThumbEntry> entries_;
  GtkWidget* dialog_ = nullptr;
  GtkWidget* folderBox_ = nullptr;
  GtkWidget* browse_ = nullptr;
  GtkWidget* count_ = nullptr;
  GtkWidget* open_ = nullptr;
  GtkWidget* ok_ = nullptr;
  GtkWidget* cancel_ = nullptr;
};

}  // namespace kov

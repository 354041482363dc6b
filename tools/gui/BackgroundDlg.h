#pragma once
// "Background Picture and Music": shows the folder's background picture and music,
// lets the user choose or clear each, previews every change in the panes behind it
// (through onPreview) and writes the folder's files only at OK. The decisions are
// CBackgroundChoice's.
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "tools/BackgroundChoice.h"

namespace kov {

class CBackgroundDlg {
 public:
  using PreviewHandler = std::function<void(BackgroundPreview)>;

  CBackgroundDlg(const std::string& folder, PreviewHandler onPreview);
  ~CBackgroundDlg();
  CBackgroundDlg(const CBackgroundDlg&) = delete;
  CBackgroundDlg& operator=(const CBackgroundDlg&) = delete;

  // Builds the hidden dialog over parent (may be null).
  void Create(GtkWindow* parent);
  // Shows it and runs it until OK or Cancel; true for OK (the files were written).
  bool DoModal(GtkWindow* parent);

  const CBackgroundChoice& choice() const { return choice_; }
  GtkWidget* window() const { return dialog_; }
  GtkWidget* pictureBox() const { return pictureBox_; }
  GtkWidget* musicBox() const { return musicBox_; }
  GtkWidget* browseButton(bool picture) const { return picture ? browsePicture_ : browseMusic_; }
  GtkWidget* clearButton(bool picture) const { return picture ? clearPicture_ : clearMusic_; }
  GtkWidget* okButton() const { return ok_; }
  GtkWidget* cancelButton() const { return cancel_; }

  void OnBrowse(bool picture);
  void OnClear(bool picture);
  // The dialog's end: OK writes the changed kinds, Cancel asks for the folder's own
  // background again when anything was previewed.
  void OnResponse(bool ok);

 private:
  GtkWidget* AddRow(GtkGrid* grid, int row, const char* title, bool picture);
  void ShowPaths();
  void Preview(BackgroundPreview preview);

  CBackgroundChoice choice_;
  PreviewHandler onPreview_;
  GtkWidget* dialog_ = nullptr;
  GtkWidget* pictureBox_ = nullptr;
  GtkWidget* musicBox_ = nullptr;
  GtkWidget* browsePicture_ = nullptr;
  GtkWidget* browseMusic_ = nullptr;
  GtkWidget* clearPicture_ = nullptr;
  GtkWidget* clearMusic_ = nullptr;
  GtkWidget* ok_ = nullptr;
  GtkWidget* cancel_ = nullptr;
};

}  // namespace kov

#pragma once
// "About KOV": the program's name and version and a link to the user guide shipped
// with it.
#include <gtk/gtk.h>

#include "tools/gui/HyperlinkLabel.h"

namespace kov {

class CAboutDlg {
 public:
  CAboutDlg() = default;
  ~CAboutDlg();
  CAboutDlg(const CAboutDlg&) = delete;
  CAboutDlg& operator=(const CAboutDlg&) = delete;

  // Builds the hidden dialog over parent (may be null).
  void Create(GtkWindow* parent);
  // Shows it and waits until OK, Escape or Close; Create first when not yet made.
  void DoModal(GtkWindow* parent);

  GtkWidget* window() const { return dialog_; }
  GtkWidget* okButton() const { return ok_; }
  GtkWidget* versionLabel() const { return version_; }
  GtkWidget* icon() const { return icon_; }
  CHyperlinkLabel& link() { return link_; }

 private:
  GtkWidget* dialog_ = nullptr;
  GtkWidget* ok_ = nullptr;
  GtkWidget* version_ = nullptr;
  GtkWidget* icon_ = nullptr;
  CHyperlinkLabel link_;
};

}  // namespace kov

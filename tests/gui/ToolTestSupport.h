#pragma once
// Stand-ins for the services the tool dialogs ask (launcher, file chooser, folder
// picker, message box) and the input helpers their window tests share.
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "platform/UriLauncher.h"
#include "tests/support/FileChecks.h"
#include "files/gui/FileChooser.h"
#include "folders/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

namespace kov {
namespace test {

struct RecordingLauncher : IUriLauncher {
  std::vector<std::string> opened;
  std::vector<std::string> folders;
  bool handlerFound = true;  // false: as a desktop without a browser or file manager
  bool LaunchDefault(const std::string& uri) override {
    opened.push_back(uri);
    return handlerFound;
  }
  bool OpenFolder(const std::string& folder) override {
    folders.push_back(folder);
    return handlerFound;
  }
};

struct FixedFileChooser : IFileChooser {
  std::string answer;
  std::vector<StringId> filters;
  bool ChooseFileToOpen(GtkWindow*, StringId filterStringId, std::string* path) override {
    filters.push_back(filterStringId);
    *path = answer;
    return true;
  }
  bool ChooseFileToSave(GtkWindow*, const std::string&, std::string*) override { return false; }
};

struct FixedFolderPicker : IFolderPicker {
  std::string answer;
  bool BrowseForFolder(GtkWindow*, std::string* path, bool) override {
    *path = answer;
    return true;
  }
};

struct RecordingMessageBox : IMessageBox {
  std::vector<StringId> shown;
  std::vector<std::string> notices;
  void ShowMessage(GtkWindow*, StringId stringId, GtkMessageType) override {
    shown.push_back(stringId);
  }
  void ShowNotice(GtkWindow*, const std::string& text) override { notices.push_back(text); }
};

// The widget's centre on the screen (also for widgets with a window of their own).
void CentreOf(GtkWidget* widget, int* x, int* y);
// Clicks the widget's centre through XTest and lets the toolkit handle it.
void ClickCentre(GtkWidget* widget);
// Presses or releases the first mouse button where the pointer is.
void PressButton(bool down);
// Shows a dialog and waits until X has mapped it.
void ShowAndWait(GtkWidget* dialog);
using kovtest::PathExists;
using kovtest::ReadFileText;

}  // namespace test
}  // namespace kov

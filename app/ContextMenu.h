#pragma once
// The pages' context menu: a right-click in the thumbnail list or the
// picture view reads the page's selection in one script call, then shows the menu at
// the pointer with the entries that apply. Its entries print the page, save the
// picture under the pointer, and copy, move or trash the selected pictures on a worker
// thread, with the wait cursor, one message for what was not done and, after a move
// or delete, the thumbnail list rebuilt (32810).
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PaneDlg.h"
#include "pages/ThumbnailSelection.h"
#include "platform/CommandQueue.h"
#include "files/FileOperation.h"
#include "folders/UserFolders.h"

namespace kov {

struct ContextMenuHost {
  std::function<std::string()> currentFolder;  // the folder the list shows
  SettingAccess settings;                      // "copytodir" and "movetodir"
  CommandTarget viewer = 0;                    // receives the rebuild (32810)
};

class CContextMenu {
 public:
  explicit CContextMenu(ContextMenuHost host);
  ~CContextMenu();
  CContextMenu(const CContextMenu&) = delete;
  CContextMenu& operator=(const CContextMenu&) = delete;

  // Right-clicks in pane's page show this menu from now on.
  void Attach(CPaneDlg* pane);

  // The menu on the screen, nullptr when there is none.
  GtkWidget* shownMenu() const { return menu_; }
  // Whether a copy, move or delete is still working.
  bool operationRunning() const { return running_; }

 private:
  void OnRightClick(CPaneDlg* pane, bool onImage, const std::string& imageUrl, GdkEvent* event);
  void ShowMenu(const std::string& folder, GdkEvent* event);
  GtkWidget* MakeMenuEntry(int commandId, const char* text, bool enabled);
  void OnCommand(int id);
  void PrintPage();
  void SavePicture();
  void CopyOrMoveSelected(bool copy);
  void DeleteSelected();
  void StartOperation(FileOperation operation, const std::string& destFolder);
  void OnOperationFinished(FileOperation operation, const FileOperationReport& report);
  void SetWaitCursor(bool wait);

  ContextMenuHost host_;
  CommandTarget target_ = 0;
  std::vector<CPaneDlg*> attached_;
  GtkWidget* menu_ = nullptr;
  // What the shown menu was opened on.
  CPaneDlg* pane_ = nullptr;
  std::string pictureFile_;
  ThumbnailSelection selection_;
  unsigned rightClicks_ = 0;  // an answer for an older right-click is dropped
  bool running_ = false;
  CPaneDlg* busyPane_ = nullptr;  // shows the wait cursor while the files are worked on
  GCancellable* cancellable_ = nullptr;  // stops the worker when the windows go
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace kov

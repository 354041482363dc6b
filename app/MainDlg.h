#pragma once
// The viewer's main dialog: it owns the viewer's one window, the five layers in it
// (toolbar, information pane, thumbnail list, image view, folder tree) and the viewer
// that drives them, shows the toolbar once the main loop runs, and ends the run when
// the viewer posts kCmdCancel to it.
#include <functional>
#include <memory>
#include <string>

#include "app/ContextMenu.h"
#include "app/PaneDlg.h"
#include "app/ToolbarDlg.h"
#include "app/Viewer.h"
#include "app/ViewerWindow.h"
#include "platform/CommandQueue.h"
#include "platform/Timers.h"
#include "folders/FolderOpenedAhead.h"
#include "folders/UserFolders.h"
#include "folders/gui/FolderTreeDlg.h"

namespace kov {

struct MainDlgOptions {
  FolderTreeSources treeSources;  // the folder tree's top level, start folder, settings
  std::string builtInMusicUrl;    // the private file the built-in music plays from
  std::function<void()> onEnded;  // after cancel has destroyed the windows
  // A folder (and a picture in it) named on the command line, opened at the first
  // showing instead of the folder tree's choice; "" when none was named.
  std::string startFolder;
  std::string startPicture;
};

class CMainDlg {
 public:
  static constexpr int kStartTimerId = 2001;
  // The toolbar shows, and opens the first folder, as soon as the main loop runs:
  // the first thumbnail page is what a start waits for, and it waits for nothing else.
  static constexpr unsigned kStartDelayMs = 0;

  explicit CMainDlg(MainDlgOptions options);
  ~CMainDlg();
  CMainDlg(const CMainDlg&) = delete;
  CMainDlg& operator=(const CMainDlg&) = delete;

  // Makes the five windows, shows the information pane and starts the start timer.
  bool Create();
  // The quit path: destroys the windows in order and calls onEnded.
  void OnCancel();
  bool IsRunning() const { return created_ && !ended_; }
  // A later start's folder or picture: shown here, and the viewer comes to the front
  // with the view it had. A modal dialog that is up comes to the front instead and
  // keeps the input; the path is shown once it has ended.
  void ShowHandedOver(const std::string& path);
  CommandTarget target() const { return target_; }

  CViewerWindow& viewerWindow() { return window_; }
  CViewer& viewer() { return *viewer_; }
  CToolbarDlg& toolbar() { return toolbar_; }
  CThumbListDlg& thumbList() { return thumbList_; }
  CImageViewDlg& imageView() { return imageView_; }
  CInfoDlg& info() { return info_; }
  CFolderTreeDlg& folderTree() { return *folderTree_; }
  CContextMenu& contextMenu() { return *contextMenu_; }

 private:
  void OnCommand(int id);
  void OnTimer(int id);
  void DestroyWindows();

  MainDlgOptions options_;
  CFolderOpenedAhead folderAhead_;  // before the viewer, which takes from it
  CommandTarget target_ = 0;
  TimerSet timers_;
  CViewerWindow window_;
  std::unique_ptr<CViewer> viewer_;  // made once its windows are
  CToolbarDlg toolbar_;
  CThumbListDlg thumbList_;
  CImageViewDlg imageView_;
  CInfoDlg info_;
  std::unique_ptr<CFolderTreeDlg> folderTree_;
  std::unique_ptr<CContextMenu> contextMenu_;
  bool created_ = false;
  bool ended_ = false;
};

}  // namespace kov

#pragma once
// The viewer's controller. Every key, toolbar button, menu entry and page call arrives
// here as a posted command, and its handlers decide what the panes show: it holds the
// command table, the walk through the folders, the slide show, the music and the
// picture view's commands. The windows it drives are handed to it; the main dialog
// makes and owns them.
#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "app/PaneDlg.h"
#include "app/ToolbarDlg.h"
#include "app/ViewerWindow.h"
#include "app/ViewingCommands.h"
#include "app/logic/Layout.h"
#include "app/logic/PageStatements.h"
#include "app/logic/SlideShow.h"
#include "app/logic/ViewDecisions.h"
#include "folders/FolderOpenedAhead.h"
#include "folders/FolderWalker.h"
#include "folders/UserFolders.h"
#include "folders/gui/FolderTreeDlg.h"
#include "platform/CommandQueue.h"
#include "platform/Timers.h"

namespace kov {

class CBackgroundDlg;

// The windows the viewer shows its views in.
struct ViewerParts {
  CViewerWindow& window;
  CToolbarDlg& toolbar;
  CThumbListDlg& thumbList;
  CImageViewDlg& imageView;
  CInfoDlg& info;
  CFolderTreeDlg& folderTree;
};

struct ViewerOptions {
  std::string builtInMusicUrl;  // the private file the built-in music plays from
  SettingAccess settings;       // the caption and music switches
  CommandTarget quitTarget = 0;  // told kCmdCancel when the viewer quits
  CFolderOpenedAhead* folderAhead = nullptr;  // the start folder, opened ahead; may be null
};

class CViewer : public ISlideShowView {
 public:
  // The slide show's timer.
  static constexpr int kShowTimerId = 1001;

  // The windows must have been made.
  CViewer(ViewerParts parts, ViewerOptions options);
  ~CViewer() override;
  CViewer(const CViewer&) = delete;
  CViewer& operator=(const CViewer&) = delete;

  // Takes the commands of the toolbar, the pages, the keys, the wheel and the screen,
  // and reads the picture view's switches.
  void Start();
  // Takes no more commands and stops the show; the windows may go after this.
  void Stop();
  CommandTarget target() const { return target_; }

  // Runs one command (the queue calls this for every command posted here).
  void OnCommand(const Command& command);
  // Runs one tick of a timer: the slide show's steps, other ids do nothing. Tests tick
  // the show through it without waiting for the interval.
  void OnTimer(int id);

  // Shows or hides the toolbar. Its first showing opens the folder selected in the
  // tree, or the path waiting for OpenLater.
  void ShowToolbar(bool show);
  // Opens folder as the walk's root, as if it had been chosen in the folder tree but
  // without remembering it, and shows picture when one is given. It runs at the first
  // showing, or at once when the toolbar is up; while a tool dialog hides the toolbar
  // it waits for the toolbar to come back.
  void OpenLater(const std::string& folder, const std::string& picture);
  // The panes fill the window's content; the toolbar and the tree stay inside it.
  void FitLayers(const Rect& content);

  std::string GetCurrentFolder() const { return walker_.CurrentFolder(); }
  FrontPane GetFrontPane() const;
  const CSlideShow& slideShow() const { return slideShow_; }
  // The thumbnails the list last reported (0 before its first report).
  int thumbnailCount() const { return thumbnailCount_; }
  CViewingCommands* viewing() { return viewing_.get(); }
  // The background dialog while it runs, nullptr otherwise.
  CBackgroundDlg* backgroundDialog() const { return background_; }

  // The slide show's view.
  void ShowNextImage() override;
  void ShowPreviousImage() override;
  void BeginShuffledShow() override;
  void ShowShuffledImage() override;
  void SetButtonBitmap(int buttonId, BitmapId bitmapId) override;

 private:
  class CShowTimer : public ISlideShowTimer {
   public:
    explicit CShowTimer(CViewer& owner) : owner_(owner) {}
    unsigned Start(unsigned periodMs) override;
    void Kill(unsigned id) override;

   private:
    CViewer& owner_;
  };

  // The command table (ViewerCommands.cpp).
  void ShowClickedImage(const std::string& path);
  void OnThumbnailCount(int count);
  bool RunViewCommand(int id);
  bool RunSlideShowCommand(int id);
  bool RunWindowCommand(int id);
  void QuitOrGoBack();
  void OnEscape();
  void OnRefresh();
  void OnWheel();
  void RebuildThumbnails();
  void StepFolder(bool next);
  ViewState CurrentViewState() const;
  void StartViewing();
  void ConnectInput();

  // The page views (ViewerViews.cpp).
  void OpenSelectedFolder();
  void OpenStartPath();
  void OpenFolder(const std::string& root);
  // folderCurrent, when given, is whether the current folder's cache is current, as
  // tested a moment ago.
  void ShowThumbnails(bool reload, const bool* folderCurrent = nullptr);
  void ShowImage(const std::string& path);
  // The walk's next picture in the direction, or the no-images text when it has none.
  void StepImage(SlideDirection direction);
  void ShowNoImages();
  void SetFolderMusic(const std::string& folder);
  // The music waits until the first thumbnail page or picture is painted, a build
  // begins or the folder turns out to have no pictures: the media player's start-up
  // delayed the first view by about half a second. The folder's music then starts.
  void StartMusic();

  // The layouts, the folder tree, the tools menu, printing (ViewerWindowCommands.cpp).
  static void OnScreenChanged(GdkScreen* screen, gpointer self);
  void ApplyLayout(LayoutMode mode);
  void OpenFolderTree();
  void ShowToolsMenu();
  void PrintFrontPane();
  void OpenFileManager();
  GtkWindow* GetDialogParent();

  // The four tool dialogs (ViewerTools.cpp).
  bool RunToolCommand(int id);
  // Runs a modal dialog with the show stopped and the toolbar hidden: the show would
  // restack the panes over the dialog, and the toolbar would be drawn enabled while it
  // takes no clicks.
  template <typename Dialog>
  void RunModal(Dialog& dialog);
  void RunBackgroundDialog();

  ViewerParts parts_;
  ViewerOptions options_;
  CommandTarget target_ = 0;
  GdkScreen* screen_ = nullptr;
  gulong screenHandlers_[2] = {0, 0};
  TimerSet timers_;
  CShowTimer showTimer_;
  CSlideShow slideShow_;
  CFolderMusic music_;
  bool musicStarted_ = false;
  bool musicHeld_ = false;
  std::string heldMusicFolder_;  // the last folder whose music waited for StartMusic
  CFolderWalker walker_;
  int thumbnailCount_ = 0;
  bool shownOnce_ = false;
  // The background dialog while it runs: its previews read the chosen paths.
  CBackgroundDlg* background_ = nullptr;
  std::string startFolder_, startPicture_;  // waiting for OpenStartPath
  std::unique_ptr<CViewingCommands> viewing_;
  // The window's size the last layout asked for, and the toolbar's place in it until
  // the window has that size.
  Rect plannedContent_, plannedToolbar_;
};

}  // namespace kov

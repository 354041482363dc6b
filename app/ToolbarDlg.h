#pragma once
// The floating toolbar: a small layer above the panes in the viewer's window with ten
// buttons, and the command centre of the viewer. Every key, button, menu entry and page call
// arrives here as a posted command; its handlers decide what the panes show.
#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "app/ToolbarButtons.h"
#include "app/ViewingCommands.h"
#include "app/ToolbarFrame.h"
#include "app/logic/Layout.h"
#include "app/logic/PageStatements.h"
#include "app/logic/SlideShow.h"
#include "app/logic/ViewDecisions.h"
#include "platform/CommandQueue.h"
#include "platform/Timers.h"
#include "folders/FolderWalker.h"

namespace kov {

class CMainDlg;
class CBackgroundDlg;

class CToolbarDlg : public ISlideShowView {
 public:
  // The skinned window's size: its frame bitmaps and button rows are laid out for it.
  static constexpr Size kSize = {kToolbarWidth, kToolbarHeight};
  // The slide show's timer on this window.
  static constexpr int kShowTimerId = 1001;

  CToolbarDlg(CMainDlg& main, const std::string& builtInMusicUrl);
  ~CToolbarDlg() override;
  CToolbarDlg(const CToolbarDlg&) = delete;
  CToolbarDlg& operator=(const CToolbarDlg&) = delete;

  // Makes the hidden layer in host at its home position and registers the command target.
  bool Create(GtkWindow* host);
  void Destroy();
  void Show(bool show);
  bool IsVisible() const;
  // The toolbar's layer in the viewer's window.
  GtkWidget* window() const { return window_; }
  CommandTarget target() const { return target_; }
  // The button's widget and the button itself; nullptr for an id that is not one.
  GtkWidget* button(int id);
  CImageButton* imageButton(int id) { return buttons_.Button(id); }

  // The panes fill the window's content; the toolbar and the tree stay inside it.
  void FitLayers(const Rect& content);

  // Runs one command (the queue calls this for every command posted here).
  void OnCommand(int id);
  // Runs one tick of a timer of this window: the slide show's steps, other ids do
  // nothing. Tests tick the show through it without waiting for the interval.
  void OnTimer(int id);

  std::string GetCurrentFolder() const { return walker_.CurrentFolder(); }
  FrontPane GetFrontPane() const;
  GtkWindow* GetDialogParent();
  const CSlideShow& slideShow() const { return slideShow_; }
  CViewingCommands* viewing() { return viewing_.get(); }
  // The background dialog while it runs, nullptr otherwise.
  CBackgroundDlg* backgroundDialog() const { return background_; }

  // Opens folder as the walk's root, as if it had been chosen in the folder tree but
  // without remembering it, and shows picture when one is given. It runs at the first
  // showing, or at once when the toolbar is up; while a tool dialog hides the toolbar
  // it waits for the toolbar to come back.
  void OpenLater(const std::string& folder, const std::string& picture);
  // The picture view's commands and the caption and music switches, once the panes
  // are made.
  void StartViewing(const SettingAccess& settings);

  // The page views.
  void OpenSelectedFolder();
  void OpenFolder(const std::string& root);
  void ShowThumbnails(bool reload);
  void ShowImage(const std::string& path);
  void ShowNextImage() override;
  void ShowPreviousImage() override;
  void BeginShuffledShow() override;
  void ShowShuffledImage() override;
  void ShowNoImages();
  void SetFolderMusic(const std::string& folder);
  // The music waits until the first thumbnail page or picture is painted, a build
  // begins or the folder turns out to have no pictures: the media player's start-up
  // delayed the first view by about half a second. The folder's music then starts.
  void StartMusic();
  void SetButtonBitmap(int buttonId, BitmapId bitmapId) override;

 private:
  // The slide show's timer on this window.
  class CShowTimer : public ISlideShowTimer {
   public:
    explicit CShowTimer(CToolbarDlg& owner) : owner_(owner) {}
    unsigned Start(unsigned periodMs) override;
    void Kill(unsigned id) override;

   private:
    CToolbarDlg& owner_;
  };
  void SetTooltip(int buttonId, StringId stringId);
  void OnFirstShow();
  void OpenStartPath();
  bool RunViewCommand(int id);
  bool RunSlideShowCommand(int id);
  bool RunWindowCommand(int id);
  // The four tool dialogs (ToolbarTools.cpp).
  bool RunToolCommand(int id);
  void RunBackgroundDialog();
  void RunPhotoCdDialog();
  void RunWebThumbDialog();
  void QuitOrGoBack();
  void OnEscape();
  void OnRefresh();
  void OnWheel();
  static void OnScreenChanged(GdkScreen* screen, gpointer self);
  void ApplyLayout(LayoutMode mode);
  void OpenFolderTree();
  void ShowToolsMenu();
  void PrintFrontPane();
  void OpenFileManager();
  void RebuildThumbnails();
  void StepFolder(bool next);
  ViewState CurrentViewState() const;

  CMainDlg& main_;
  GtkWidget* window_ = nullptr;
  CToolbarFrame frame_;
  CToolbarButtons buttons_;
  CommandTarget target_ = 0;
  GdkScreen* screen_ = nullptr;
  gulong screenHandlers_[2] = {0, 0};
  TimerSet timers_;
  CShowTimer showTimer_;
  CSlideShow slideShow_;
  std::string builtInMusicUrl_;
  CFolderMusic music_;
  bool musicStarted_ = false;
  bool musicHeld_ = false;
  std::string heldMusicFolder_;  // the last folder whose music waited for StartMusic
  CFolderWalker walker_;
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

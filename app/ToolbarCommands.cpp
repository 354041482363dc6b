// The toolbar's command table: every posted command of the viewer runs here.
#include "app/MainDlg.h"
#include "app/QuitQuestion.h"
#include "app/ToolbarDlg.h"
#include "pages/BridgeState.h"
#include "platform/Trace.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {

void CToolbarDlg::OnCommand(int id) {
  TraceCommand(id);
  if (viewing_ && viewing_->Run(id)) return;
  if (RunViewCommand(id) || RunSlideShowCommand(id) || RunWindowCommand(id)) return;
  RunToolCommand(id);
}

bool CToolbarDlg::RunViewCommand(int id) {
  switch (id) {
    case kCmdOpenTreeFolder: OpenSelectedFolder(); return true;
    case kCmdFirstShow:
      if (startFolder_.empty())
        OpenSelectedFolder();
      else
        OpenStartPath();
      return true;
    case kCmdOpenStartPath:
      // A path handed over while a dialog holds the input is shown once it has ended,
      // so the dialog stays in front and works on what it was opened for.
      if (IsModalDialogUp()) {
        CommandTarget self = target_;
        AfterModalDialogs([self] { PostCommand(self, kCmdOpenStartPath); });
        return true;
      }
      OpenStartPath();
      return true;
    case kCmdShowClickedImage: {
      // The record may spell the name in another letter case than the folder does:
      // the file the walker matched is the one that exists.
      std::string matched = walker_.SelectImage(ClickedImagePath());
      ShowImage(matched.empty() ? ClickedImagePath() : matched);
      return true;
    }
    case kCmdBackToThumbnails: ShowThumbnails(false); return true;
    case kCmdThumbnailCount:
      if (ShouldWalkAfterCount(ThumbnailCount())) slideShow_.StepInCurrentDirection();
      return true;
    case kCmdEscape: OnEscape(); return true;
    case kCmdRefresh: OnRefresh(); return true;
    case kCmdRebuildThumbnails: RebuildThumbnails(); return true;
    case kCmdNextFolder: StepFolder(true); return true;
    case kCmdPreviousFolder: StepFolder(false); return true;
    case kCmdPreviewBuiltInMusic: main_.info().RunScript(SetSoundStatement(builtInMusicUrl_)); return true;
    case kCmdPreviewBuiltInPicture: main_.imageView().RunScript(SetBackgroundStatement(kBuiltInPictureUrl)); return true;
    case kCmdReapplyBackground:
      music_.Forget();
      SetFolderMusic(GetCurrentFolder());
      main_.imageView().RunScript(FolderBackgroundStatement(GetCurrentFolder()));
      return true;
    default: return false;
  }
}

bool CToolbarDlg::RunSlideShowCommand(int id) {
  if (slideShow_.SetIntervalCommand(id)) return true;
  switch (id) {
    case kBtnSlideShow:
    case kCmdToggleSlideShow: slideShow_.Toggle(); return true;
    case kCmdShuffledSlideShow: slideShow_.ToggleShuffled(); return true;
    case kBtnPrevious:
    case kCmdBackward: slideShow_.Backward(); return true;
    case kBtnNext:
    case kCmdForward: slideShow_.Forward(); return true;
    case kCmdNextImage: slideShow_.StepInCurrentDirection(); return true;
    case kCmdReverseDirection: slideShow_.Reverse(); return true;
    case kCmdStopSlideShow: slideShow_.Stop(); return true;
    default: return false;
  }
}

bool CToolbarDlg::RunWindowCommand(int id) {
  LayoutMode mode = main_.viewerWindow().mode();
  switch (id) {
    case kBtnTools: ShowToolsMenu(); return true;
    case kBtnQuitOrBack: QuitOrGoBack(); return true;
    case kBtnOpenFolder: PostCommand(target_, kCmdOpenFolderTree); return true;
    case kBtnAbout: PostCommand(target_, kCmdAbout); return true;
    case kBtnMinimize: ApplyLayout(ModeAfterMinimizeButton(mode)); return true;
    case kBtnMaximize: ApplyLayout(ModeAfterMaximizeButton(mode)); return true;
    case kCmdDisplayChanged: ApplyLayout(LayoutMode::kMaximized); return true;
    case kCmdToggleFullScreen:
      ApplyLayout(mode == LayoutMode::kMaximized ? LayoutMode::kRestored : LayoutMode::kMaximized);
      return true;
    case kCmdWheel: OnWheel(); return true;
    case kCmdQuitNow: PostCommand(main_.target(), kCmdCancel); return true;
    case kCmdShowToolbar: Show(true); return true;
    case kCmdHideToolbar: Show(false); return true;
    case kCmdOpenFolderTree: OpenFolderTree(); return true;
    case kCmdOpenFileManager: OpenFileManager(); return true;
    case kCmdPrint: PrintFrontPane(); return true;
    default: return false;
  }
}

ViewState CToolbarDlg::CurrentViewState() const {
  ViewState state;
  state.front = GetFrontPane();
  state.thumbnailListVisible = main_.thumbList().IsVisible();
  state.thumbnailCount = ThumbnailCount();
  state.slideShowRunning = slideShow_.IsRunning();
  return state;
}

void CToolbarDlg::QuitOrGoBack() {
  slideShow_.Stop();
  if (DecideQuitOrBack(CurrentViewState()) == QuitOrBack::kBackToThumbnails) {
    PostCommand(target_, kCmdBackToThumbnails);
    return;
  }
  if (GetQuitQuestion().AskToQuit(main_.viewerWindow().window())) PostCommand(main_.target(), kCmdCancel);
}

void CToolbarDlg::OnEscape() {
  if (viewing_ && viewing_->CloseKeyHelp()) return;
  switch (DecideEscape(CurrentViewState())) {
    case EscapeAction::kStopSlideShow: slideShow_.Stop(); break;
    case EscapeAction::kBackToThumbnails: ShowThumbnails(false); break;
    case EscapeAction::kNothing: break;
  }
}

void CToolbarDlg::OnRefresh() {
  switch (DecideRefresh(CurrentViewState())) {
    case RefreshAction::kBackToThumbnails: ShowThumbnails(false); break;
    case RefreshAction::kReloadThumbnailPage:
      TraceNavigate(main_.thumbList().traceName(), main_.thumbList().page().GetLocationUrl());
      main_.thumbList().page().Refresh();
      break;
    case RefreshAction::kNothing: break;
  }
}

// The wheel over a page gives that page the keyboard, so it scrolls; while the
// folder tree is open it keeps the keyboard and stays in front.
void CToolbarDlg::OnWheel() {
  GtkWidget* tree = main_.folderTree().window();
  if (tree != nullptr && gtk_widget_get_visible(tree)) return;
  FrontPane front = GetFrontPane();
  if (front == FrontPane::kImage) main_.imageView().FocusPage();
  if (front == FrontPane::kThumbnails) main_.thumbList().FocusPage();
}

void CToolbarDlg::RebuildThumbnails() {
  slideShow_.Stop();
  // Pictures may have been moved or deleted (the context menu asks for this then):
  // the walk goes on without them.
  walker_.RereadCurrentFolder();
  GtkWindow* parent = GetDialogParent();
  Show(false);
  RunThumbnailBuilder(parent, walker_.RootFolder(), GetCurrentFolder(), false);
  Show(true);
  ShowThumbnails(true);
}

void CToolbarDlg::StartViewing(const SettingAccess& settings) {
  ViewingHost host;
  host.showImage = [this](const std::string& path) { ShowImage(path); };
  host.showNext = [this] { ShowNextImage(); };
  host.showPrevious = [this] { ShowPreviousImage(); };
  host.stopSlideShow = [this] { slideShow_.Stop(); };
  host.slideShowRunning = [this] { return slideShow_.IsRunning(); };
  host.frontPane = [this] { return GetFrontPane(); };
  host.target = target_;
  viewing_ = std::make_unique<CViewingCommands>(
      ViewingPanes{main_.imageView(), main_.thumbList(), main_.info()}, walker_, settings, host);
  viewing_->Start();
}

void CToolbarDlg::StepFolder(bool next) {
  if (next)
    walker_.NextFolder();
  else
    walker_.PreviousFolder();
  ShowThumbnails(true);
  SetFolderMusic(GetCurrentFolder());
}

}  // namespace kov

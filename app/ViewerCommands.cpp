// The viewer's command table: every command posted to the viewer runs here.
#include "app/QuitQuestion.h"
#include "app/Viewer.h"
#include "platform/Trace.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "res/CommandNames.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {

void CViewer::OnCommand(const Command& command) {
  const int id = command.id;
  TraceCommand(CommandName(id), command.path);
  if (id == kCmdShowClickedImage) return ShowClickedImage(command.path);
  if (id == kCmdThumbnailCount) return OnThumbnailCount(command.count);
  if (viewing_ && viewing_->Run(id)) return;
  if (RunViewCommand(id) || RunSlideShowCommand(id) || RunWindowCommand(id)) return;
  RunToolCommand(id);
}

bool CViewer::RunViewCommand(int id) {
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
    case kCmdBackToThumbnails: ShowThumbnails(false); return true;
    case kCmdEscape: OnEscape(); return true;
    case kCmdRefresh: OnRefresh(); return true;
    case kCmdRebuildThumbnails: RebuildThumbnails(); return true;
    case kCmdNextFolder: StepFolder(true); return true;
    case kCmdPreviousFolder: StepFolder(false); return true;
    case kCmdPreviewBuiltInMusic: parts_.info.RunScript(SetSoundStatement(options_.builtInMusicUrl)); return true;
    case kCmdPreviewBuiltInPicture: parts_.imageView.RunScript(SetBackgroundStatement(kBuiltInPictureUrl)); return true;
    case kCmdReapplyBackground:
      music_.Forget();
      SetFolderMusic(GetCurrentFolder());
      parts_.imageView.RunScript(FolderBackgroundStatement(GetCurrentFolder()));
      return true;
    default: return false;
  }
}

// The record may spell the name in another letter case than the folder does: the file
// the walker matched is the one that exists.
void CViewer::ShowClickedImage(const std::string& path) {
  std::string matched = walker_.SelectImage(path);
  ShowImage(matched.empty() ? path : matched);
}

void CViewer::OnThumbnailCount(int count) {
  thumbnailCount_ = count;
  if (ShouldWalkAfterCount(count)) slideShow_.StepInCurrentDirection();
}

bool CViewer::RunSlideShowCommand(int id) {
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

bool CViewer::RunWindowCommand(int id) {
  LayoutMode mode = parts_.window.mode();
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
    case kCmdQuitNow: PostCommand(options_.quitTarget, kCmdCancel); return true;
    case kCmdShowToolbar: ShowToolbar(true); return true;
    case kCmdHideToolbar: ShowToolbar(false); return true;
    case kCmdOpenFolderTree: OpenFolderTree(); return true;
    case kCmdOpenFileManager: OpenFileManager(); return true;
    case kCmdPrint: PrintFrontPane(); return true;
    default: return false;
  }
}

ViewState CViewer::CurrentViewState() const {
  ViewState state;
  state.front = GetFrontPane();
  state.thumbnailListVisible = parts_.thumbList.IsVisible();
  state.thumbnailCount = thumbnailCount_;
  state.slideShowRunning = slideShow_.IsRunning();
  return state;
}

void CViewer::QuitOrGoBack() {
  slideShow_.Stop();
  if (DecideQuitOrBack(CurrentViewState()) == QuitOrBack::kBackToThumbnails) {
    PostCommand(target_, kCmdBackToThumbnails);
    return;
  }
  if (GetQuitQuestion().AskToQuit(parts_.window.window())) PostCommand(options_.quitTarget, kCmdCancel);
}

void CViewer::OnEscape() {
  if (viewing_ && viewing_->CloseKeyHelp()) return;
  switch (DecideEscape(CurrentViewState())) {
    case EscapeAction::kStopSlideShow: slideShow_.Stop(); break;
    case EscapeAction::kBackToThumbnails: ShowThumbnails(false); break;
    case EscapeAction::kNothing: break;
  }
}

void CViewer::OnRefresh() {
  switch (DecideRefresh(CurrentViewState())) {
    case RefreshAction::kBackToThumbnails: ShowThumbnails(false); break;
    case RefreshAction::kReloadThumbnailPage:
      TraceNavigate(parts_.thumbList.traceName(), parts_.thumbList.page().GetLocationUrl());
      parts_.thumbList.page().Refresh();
      break;
    case RefreshAction::kNothing: break;
  }
}

// The wheel over a page gives that page the keyboard, so it scrolls; while the
// folder tree is open it keeps the keyboard and stays in front.
void CViewer::OnWheel() {
  GtkWidget* tree = parts_.folderTree.window();
  if (tree != nullptr && gtk_widget_get_visible(tree)) return;
  FrontPane front = GetFrontPane();
  if (front == FrontPane::kImage) parts_.imageView.FocusPage();
  if (front == FrontPane::kThumbnails) parts_.thumbList.FocusPage();
}

void CViewer::RebuildThumbnails() {
  slideShow_.Stop();
  // Pictures may have been moved or deleted (the context menu asks for this then):
  // the walk goes on without them.
  walker_.RereadCurrentFolder();
  GtkWindow* parent = GetDialogParent();
  ShowToolbar(false);
  RunThumbnailBuilder(parent, walker_.RootFolder(), GetCurrentFolder(), false);
  ShowToolbar(true);
  ShowThumbnails(true);
}

void CViewer::StepFolder(bool next) {
  if (next)
    walker_.NextFolder();
  else
    walker_.PreviousFolder();
  ShowThumbnails(true);
  SetFolderMusic(GetCurrentFolder());
}

}  // namespace kov

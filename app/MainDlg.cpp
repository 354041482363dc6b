#include "app/MainDlg.h"

#include "app/WindowHints.h"
#include "app/logic/CommandLine.h"
#include "folders/FolderTreeModel.h"
#include "platform/Trace.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "res/CommandNames.h"

namespace kov {

CMainDlg::CMainDlg(MainDlgOptions options)
    : options_(std::move(options)), timers_([this](int id) { OnTimer(id); }) {}

CMainDlg::~CMainDlg() {
  DestroyWindows();
  if (target_ != 0) UnregisterCommandTarget(target_);
}

bool CMainDlg::Create() {
  if (created_) return false;
  created_ = true;
  // The folder shown first is listed, and its cache tested, while the windows are made.
  if (!options_.startFolder.empty())
    folderAhead_.Start(options_.startFolder);
  else if (options_.treeSources.initialFacts)
    folderAhead_.Start(ChooseInitialFolder(options_.treeSources.initialFacts()));
  target_ = RegisterCommandTarget([this](const Command& command) { OnCommand(command.id); });
  window_.Create();
  GtkWindow* host = window_.window();
  const Rect panes = window_.ContentRect();

  toolbar_.Create(host);  // hidden, at its home position
  info_.Create(host, panes);
  thumbList_.Create(host, panes);
  imageView_.Create(host, panes);
  // The picture pane is shown from the start, under the info pane, where it stays
  // between pictures anyway: a view's first showing costs the first click about 50 ms.
  imageView_.Show(true);
  info_.Show(true);
  folderTree_ = std::make_unique<CFolderTreeDlg>(options_.treeSources, [this] {
    if (viewer_) PostCommand(viewer_->target(), kCmdOpenTreeFolder);
  });
  folderTree_->Create(host);

  ViewerOptions viewing{options_.builtInMusicUrl, options_.treeSources.settings, target_, &folderAhead_};
  viewer_ = std::make_unique<CViewer>(
      ViewerParts{window_, toolbar_, thumbList_, imageView_, info_, *folderTree_}, std::move(viewing));
  CViewer* viewer = viewer_.get();
  if (!options_.startFolder.empty()) viewer->OpenLater(options_.startFolder, options_.startPicture);
  contextMenu_ = std::make_unique<CContextMenu>(ContextMenuHost{
      [viewer] { return viewer->GetCurrentFolder(); }, options_.treeSources.settings, viewer->target()});
  contextMenu_->Attach(&thumbList_);
  contextMenu_->Attach(&imageView_);
  window_.SetResizeHandler([viewer](const Rect& content) { viewer->FitLayers(content); });

  UseProgramIcon();
  viewer->Start();
  window_.Show();
  timers_.Set(kStartTimerId, kStartDelayMs);
  return true;
}

void CMainDlg::ShowHandedOver(const std::string& path) {
  if (!IsRunning()) return;
  if (!path.empty()) {
    StartRequest request = RequestForPath(path);
    if (request.action == StartAction::kRun) viewer_->OpenLater(request.folder, request.picture);
  }
  if (GtkWindow* dialog = ModalDialogUp()) {
    gtk_window_present(dialog);
    return;
  }
  window_.Present();
}

void CMainDlg::OnTimer(int id) {
  if (id != kStartTimerId) return;
  timers_.Kill(kStartTimerId);
  viewer_->ShowToolbar(true);
}

void CMainDlg::OnCommand(int id) {
  TraceCommand(CommandName(id));
  if (id == kCmdCancel) OnCancel();
}

void CMainDlg::OnCancel() {
  if (!created_ || ended_) return;
  ended_ = true;
  timers_.Kill(kStartTimerId);
  DestroyWindows();
  if (options_.onEnded) options_.onEnded();
}

// The context menu, the thumbnail list, the image view, the toolbar, the folder tree,
// the information pane, in this order.
void CMainDlg::DestroyWindows() {
  contextMenu_.reset();  // its work stops with the windows
  if (viewer_) viewer_->Stop();  // no command reaches the windows as they go
  thumbList_.Destroy();
  imageView_.Destroy();
  toolbar_.Destroy();
  folderTree_.reset();
  info_.Destroy();
  window_.Destroy();
}

}  // namespace kov

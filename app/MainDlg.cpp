#include "app/MainDlg.h"

#include "app/KeyRouting.h"
#include "app/WindowHints.h"
#include "app/logic/CommandLine.h"
#include "pages/BridgeState.h"
#include "platform/Trace.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"

namespace kov {

CMainDlg::CMainDlg(MainDlgOptions options)
    : options_(std::move(options)), timers_([this](int id) { OnTimer(id); }) {}

CMainDlg::~CMainDlg() {
  DestroyWindows();
  if (toolbar_) {
    SetKeyViewSource(nullptr);
    SetCurrentImageFolderSource(nullptr);
    if (ToolbarTarget() == toolbar_->target()) SetToolbarTarget(0);
  }
  if (target_ != 0) UnregisterCommandTarget(target_);
}

bool CMainDlg::Create() {
  if (created_) return false;
  created_ = true;
  target_ = RegisterCommandTarget([this](int id) { OnCommand(id); });
  window_.Create();
  GtkWindow* host = window_.window();
  const Rect panes = window_.ContentRect();

  toolbar_ = std::make_unique<CToolbarDlg>(*this, options_.builtInMusicUrl);
  toolbar_->Create(host);  // hidden, at its home position
  if (!options_.startFolder.empty()) toolbar_->OpenLater(options_.startFolder, options_.startPicture);
  SetToolbarTarget(toolbar_->target());
  // The page calls through window.external name pictures of the walker's folder.
  CToolbarDlg* toolbar = toolbar_.get();
  SetCurrentImageFolderSource([toolbar] { return toolbar->GetCurrentFolder(); });

  info_.Create(host, panes);
  thumbList_.Create(host, panes);
  imageView_.Create(host, panes);
  // The picture pane is shown from the start, under the info pane, where it stays
  // between pictures anyway: a view's first showing costs the first click about 50 ms.
  imageView_.Show(true);
  info_.Show(true);
  thumbList_.page().CallOnceShown([toolbar] { toolbar->StartMusic(); });
  imageView_.page().CallOnceShown([toolbar] { toolbar->StartMusic(); });
  folderTree_ = std::make_unique<CFolderTreeDlg>(options_.treeSources, [toolbar] {
    PostCommand(toolbar->target(), kCmdOpenTreeFolder);
  });
  folderTree_->Create(host);
  contextMenu_ = std::make_unique<CContextMenu>(ContextMenuHost{
      [toolbar] { return toolbar->GetCurrentFolder(); }, options_.treeSources.settings, toolbar_->target()});
  contextMenu_->Attach(&thumbList_);
  contextMenu_->Attach(&imageView_);
  window_.SetResizeHandler([toolbar](const Rect& content) { toolbar->FitLayers(content); });

  UseProgramIcon();
  toolbar_->StartViewing(options_.treeSources.settings);
  CToolbarDlg* viewer = toolbar_.get();
  SetKeyViewSource([viewer] {
    return viewer->GetFrontPane() == FrontPane::kImage ? KeyView::kPicture : KeyView::kThumbnails;
  });
  RouteKeysOf(host, toolbar_->window());
  for (CPaneDlg* pane : {static_cast<CPaneDlg*>(&info_), static_cast<CPaneDlg*>(&thumbList_),
                         static_cast<CPaneDlg*>(&imageView_)}) {
    RouteWheelOf(GTK_WIDGET(pane->page().View()), toolbar_->window());
  }
  RouteWheelStepsOf(GTK_WIDGET(imageView_.page().View()), toolbar_->window());
  window_.Show();
  timers_.Set(kStartTimerId, kStartDelayMs);
  return true;
}

void CMainDlg::ShowHandedOver(const std::string& path) {
  if (!IsRunning()) return;
  if (!path.empty()) {
    StartRequest request = RequestForPath(path);
    if (request.action == StartAction::kRun) toolbar_->OpenLater(request.folder, request.picture);
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
  toolbar_->Show(true);
}

void CMainDlg::OnCommand(int id) {
  TraceCommand(id);
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
  thumbList_.Destroy();
  imageView_.Destroy();
  if (toolbar_) toolbar_->Destroy();
  folderTree_.reset();
  info_.Destroy();
  window_.Destroy();
}

}  // namespace kov

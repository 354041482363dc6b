#include "app/MainDlg.h"

#include "app/KeyRouting.h"
#include "app/WindowHints.h"
#include "pages/BridgeState.h"
#include "platform/Trace.h"
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
  const Rect screen = GetScreenRect();

  toolbar_ = std::make_unique<CToolbarDlg>(*this, options_.builtInMusicUrl);
  toolbar_->Create();  // hidden, at its home position
  if (!options_.startFolder.empty()) toolbar_->OpenLater(options_.startFolder, options_.startPicture);
  SetToolbarTarget(toolbar_->target());
  // The page calls through window.external name pictures of the walker's folder.
  CToolbarDlg* toolbar = toolbar_.get();
  SetCurrentImageFolderSource([toolbar] { return toolbar->GetCurrentFolder(); });

  info_.Create(screen);
  thumbList_.Create(screen);
  imageView_.Create(screen);
  // The picture pane is shown from the start, under the info pane, where it stays
  // between pictures anyway: a view's first showing costs the first click about 50 ms.
  imageView_.Show(true);
  info_.Show(true);
  CToolbarDlg* musician = toolbar_.get();
  thumbList_.page().CallOnceShown([musician] { musician->StartMusic(); });
  imageView_.page().CallOnceShown([musician] { musician->StartMusic(); });
  CToolbarDlg* owner = toolbar_.get();
  folderTree_ = std::make_unique<CFolderTreeDlg>(options_.treeSources, [owner] {
    PostCommand(owner->target(), kCmdOpenTreeFolder);
  });
  folderTree_->Create(toolbar_->window());
  contextMenu_ = std::make_unique<CContextMenu>(ContextMenuHost{
      [toolbar] { return toolbar->GetCurrentFolder(); }, options_.treeSources.settings, toolbar_->target()});
  contextMenu_->Attach(&thumbList_);
  contextMenu_->Attach(&imageView_);

  UseProgramIcon();
  MarkTaskbarWindow(info_.window());
  for (GtkWindow* window : {toolbar_->window(), thumbList_.window(), imageView_.window(),
                            GTK_WINDOW(folderTree_->window())}) {
    MarkHelperWindow(window);
  }
  toolbar_->StartViewing(options_.treeSources.settings);
  CToolbarDlg* viewer = toolbar_.get();
  SetKeyViewSource([viewer] {
    return viewer->GetFrontPane() == FrontPane::kImage ? KeyView::kPicture : KeyView::kThumbnails;
  });
  for (GtkWindow* window : {toolbar_->window(), info_.window(), thumbList_.window(),
                            imageView_.window(), GTK_WINDOW(folderTree_->window())}) {
    RouteKeysOf(window, toolbar_->window());
  }
  for (CPaneDlg* pane : {static_cast<CPaneDlg*>(&info_), static_cast<CPaneDlg*>(&thumbList_),
                         static_cast<CPaneDlg*>(&imageView_)}) {
    RouteWheelOf(GTK_WIDGET(pane->page().View()), toolbar_->window());
  }
  RouteWheelStepsOf(GTK_WIDGET(imageView_.page().View()), toolbar_->window());
  timers_.Set(kStartTimerId, kStartDelayMs);
  return true;
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
}

}  // namespace kov

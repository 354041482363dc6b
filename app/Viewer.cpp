// The viewer's start, its inputs, the slide show's timer and the toolbar's showing.
#include "app/Viewer.h"

#include "app/KeyRouting.h"
#include "app/logic/FrontPane.h"
#include "platform/Trace.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"

namespace kov {

unsigned CViewer::CShowTimer::Start(unsigned periodMs) {
  return owner_.timers_.Set(kShowTimerId, periodMs) ? kShowTimerId : 0;
}

void CViewer::CShowTimer::Kill(unsigned id) { owner_.timers_.Kill(static_cast<int>(id)); }

CViewer::CViewer(ViewerParts parts, ViewerOptions options)
    : parts_(parts),
      options_(std::move(options)),
      timers_([this](int id) { OnTimer(id); }),
      showTimer_(*this),
      slideShow_(showTimer_, *this),
      music_(options_.builtInMusicUrl) {
  target_ = RegisterCommandTarget([this](const Command& command) { OnCommand(command); });
}

CViewer::~CViewer() { Stop(); }

void CViewer::Start() {
  parts_.toolbar.SetCommandTarget(target_);
  ConnectInput();
  parts_.thumbList.page().CallOnceShown([this] { StartMusic(); });
  parts_.imageView.page().CallOnceShown([this] { StartMusic(); });
  StartViewing();
}

void CViewer::Stop() {
  if (slideShow_.IsRunning()) slideShow_.Stop();
  for (gulong& handler : screenHandlers_)
    if (handler != 0) g_signal_handler_disconnect(screen_, handler), handler = 0;
  if (target_ != 0) UnregisterCommandTarget(target_);
  target_ = 0;
}

// The pages' window.external calls, the keys, the wheel and Close post here, and a new
// resolution or monitor brings the full-screen layout back on the new screen.
void CViewer::ConnectInput() {
  CPaneDlg* panes[] = {&parts_.info, &parts_.thumbList, &parts_.imageView};
  // The pages' calls name pictures of the walker's folder.
  for (CPaneDlg* pane : panes) pane->page().SetBridgeHost(target_, [this] { return GetCurrentFolder(); });
  InputRoute route;
  route.target = target_;
  route.toolbar = parts_.toolbar.window();
  route.viewInFront = [this] { return GetFrontPane() == FrontPane::kImage ? KeyView::kPicture : KeyView::kThumbnails; };
  RouteKeysOf(parts_.window.window(), route);
  for (CPaneDlg* pane : panes) RouteWheelOf(GTK_WIDGET(pane->page().View()), route);
  RouteWheelStepsOf(GTK_WIDGET(parts_.imageView.page().View()), route);
  if (parts_.toolbar.window() == nullptr) return;
  screen_ = gtk_widget_get_screen(parts_.toolbar.window());
  screenHandlers_[0] = g_signal_connect(screen_, "size-changed", G_CALLBACK(OnScreenChanged), this);
  screenHandlers_[1] = g_signal_connect(screen_, "monitors-changed", G_CALLBACK(OnScreenChanged), this);
}

void CViewer::StartViewing() {
  ViewingHost host;
  host.showImage = [this](const std::string& path) { ShowImage(path); };
  host.showNext = [this] { ShowNextImage(); };
  host.showPrevious = [this] { ShowPreviousImage(); };
  host.stopSlideShow = [this] { slideShow_.Stop(); };
  host.slideShowRunning = [this] { return slideShow_.IsRunning(); };
  host.frontPane = [this] { return GetFrontPane(); };
  host.target = target_;
  viewing_ = std::make_unique<CViewingCommands>(
      ViewingPanes{parts_.imageView, parts_.thumbList, parts_.info}, walker_, options_.settings, host);
  viewing_->Start();
}

void CViewer::OnTimer(int id) {
  TraceLine("timer " + std::to_string(id));
  if (id != kShowTimerId) return;
  // A tick raises a pane over whatever is up; with a modal dialog holding the input
  // that dialog would be buried, so the show ends instead.
  if (IsModalDialogUp()) {
    slideShow_.Stop();
    return;
  }
  if (viewing_ && slideShow_.IsRunning()) viewing_->BeforeShowStep();
  slideShow_.Tick(static_cast<unsigned>(id));
}

void CViewer::SetButtonBitmap(int buttonId, BitmapId bitmapId) { parts_.toolbar.SetButtonBitmap(buttonId, bitmapId); }

void CViewer::ShowToolbar(bool show) {
  parts_.toolbar.Show(show);
  if (!show) return;
  // The first showing opens the folder selected in the tree.
  if (!shownOnce_) {
    shownOnce_ = true;
    PostCommand(target_, kCmdFirstShow);
  } else if (!startFolder_.empty()) {
    PostCommand(target_, kCmdOpenStartPath);
  }
}

void CViewer::OpenLater(const std::string& folder, const std::string& picture) {
  startFolder_ = folder;
  startPicture_ = picture;
  if (shownOnce_ && parts_.toolbar.IsVisible()) PostCommand(target_, kCmdOpenStartPath);
}

FrontPane CViewer::GetFrontPane() const {
  PaneWindows panes;
  panes.toolbar = WindowIdOf(parts_.toolbar.window());
  panes.imageView = WindowIdOf(parts_.imageView.window());
  panes.thumbnailList = WindowIdOf(parts_.thumbList.window());
  panes.info = WindowIdOf(parts_.info.window());
  panes.folderTree = WindowIdOf(parts_.folderTree.window());
  return FrontPaneOf(TopLevelWindows(), panes, parts_.window.ContentRect());
}

}  // namespace kov

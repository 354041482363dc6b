// The viewer's window commands: the layouts, the folder tree's place, the tools menu,
// printing and the file manager.
#include "app/CommandMenu.h"
#include "app/Viewer.h"
#include "base/TextEscape.h"
#include "platform/UriLauncher.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "widgets/MessageBox.h"

namespace kov {

void CViewer::OnScreenChanged(GdkScreen*, gpointer self) {
  PostCommand(static_cast<CViewer*>(self)->target_, kCmdDisplayChanged);
}

// Every dialog is transient for the viewer's one window, which keeps it above.
GtkWindow* CViewer::GetDialogParent() {
  GtkWidget* tree = parts_.folderTree.window();
  if (tree != nullptr && gtk_widget_get_visible(tree)) parts_.folderTree.OnCancel();
  return parts_.window.window();
}

void CViewer::ApplyLayout(LayoutMode mode) {
  const Rect screen = GetScreenRect();
  const Size size = CToolbarDlg::kSize;
  LayoutPlan plan = PlanLayout(mode, screen, size);
  CViewerWindow& viewer = parts_.window;
  Rect toolbar = plan.toolbar;
  switch (mode) {
    case LayoutMode::kMaximized: viewer.Maximise(); break;
    case LayoutMode::kRestored:
      viewer.Restore(plan.panes);
      toolbar = Rect{plan.toolbar.left - plan.panes.left, plan.toolbar.top - plan.panes.top,
                     plan.toolbar.right - plan.panes.left, plan.toolbar.bottom - plan.panes.top};
      break;
    case LayoutMode::kMinimized:
      // The toolbar alone, in a window of its own size at its home place.
      viewer.Minimise(plan.toolbar);
      toolbar = Rect{0, 0, size.width, size.height};
      break;
  }
  Rect panes = mode == LayoutMode::kMinimized ? Rect{} : Rect{0, 0, plan.panes.Width(), plan.panes.Height()};
  parts_.thumbList.Move(panes);
  parts_.imageView.Move(panes);
  parts_.info.Move(panes);
  // The window takes its new size later; the toolbar goes home again once it has.
  plannedContent_ = mode == LayoutMode::kMinimized ? Rect{0, 0, size.width, size.height}
                                                   : Rect{0, 0, plan.panes.Width(), plan.panes.Height()};
  plannedToolbar_ = toolbar;
  parts_.toolbar.MoveTo(toolbar);
  if (!plan.buttonsEnabled) slideShow_.Stop();
  parts_.toolbar.ShowLayout(plan);
}

void CViewer::FitLayers(const Rect& content) {
  if (parts_.window.mode() != LayoutMode::kMinimized) {
    parts_.thumbList.Move(content);
    parts_.imageView.Move(content);
    parts_.info.Move(content);
  }
  bool planned = content.Width() == plannedContent_.Width() && content.Height() == plannedContent_.Height();
  if (planned && plannedToolbar_.Width() > 0) {
    parts_.toolbar.MoveTo(plannedToolbar_);
    plannedToolbar_ = Rect{};
  }
  for (GtkWidget* layer : {parts_.toolbar.window(), parts_.folderTree.window()}) {
    Rect rect = TopLevelWindows().GetRect(WindowIdOf(layer));
    if (layer != nullptr && rect.Width() > 0) MoveLayer(layer, KeptInside(rect, content));
  }
}

void CViewer::OpenFolderTree() {
  slideShow_.Stop();
  Rect place = PlaceFolderTree(parts_.window.ContentRect(), parts_.toolbar.Place(),
                               parts_.toolbar.ButtonPlace(kBtnOpenFolder),
                               Size{CFolderTreeDlg::kWidth, CFolderTreeDlg::kHeight});
  parts_.folderTree.ShowAt(place.left, place.top);
}

void CViewer::ShowToolsMenu() {
  slideShow_.Stop();
  PopUpCommandMenu(MenuId::kToolsMenu, parts_.toolbar.button(kBtnTools), target_);
}

void CViewer::PrintFrontPane() {
  CPaneDlg* pane = nullptr;
  FrontPane front = GetFrontPane();
  if (front == FrontPane::kImage) pane = &parts_.imageView;
  if (front == FrontPane::kThumbnails) pane = &parts_.thumbList;
  if (pane == nullptr || pane->page().View() == nullptr) return;
  slideShow_.Stop();  // its ticks would restack the panes over the dialog
  WebKitPrintOperation* print = webkit_print_operation_new(pane->page().View());
  webkit_print_operation_run_dialog(print, parts_.window.window());
  g_object_unref(print);
}

void CViewer::OpenFileManager() {
  const std::string folder = GetCurrentFolder();
  if (folder.empty() || GetUriLauncher().OpenFolder(folder)) return;
  GetMessageBox().ShowNotice(parts_.window.window(), "No file manager was found to open this folder:\n\n" + DisplayName(folder));
}

}  // namespace kov

// The toolbar's window: its buttons, layouts, the folder tree's placement, the tools
// menu, printing and the file manager.
#include "app/ToolbarDlg.h"

#include "app/MainDlg.h"
#include "app/logic/FrontPane.h"
#include "app/logic/PageStatements.h"
#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "platform/UriLauncher.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "res/Menus.h"
#include "widgets/MessageBox.h"
#include "skin/ToolbarSkin.h"

namespace kov {

unsigned CToolbarDlg::CShowTimer::Start(unsigned periodMs) {
  return owner_.timers_.Set(kShowTimerId, periodMs) ? kShowTimerId : 0;
}

void CToolbarDlg::CShowTimer::Kill(unsigned id) { owner_.timers_.Kill(static_cast<int>(id)); }

CToolbarDlg::CToolbarDlg(CMainDlg& main, const std::string& builtInMusicUrl)
    : main_(main),
      timers_([this](int id) { OnTimer(id); }),
      showTimer_(*this),
      slideShow_(showTimer_, *this),
      builtInMusicUrl_(builtInMusicUrl),
      music_(builtInMusicUrl) {}

CToolbarDlg::~CToolbarDlg() {
  Destroy();
  if (target_ != 0) UnregisterCommandTarget(target_);
}

bool CToolbarDlg::Create(GtkWindow* host) {
  if (window_ != nullptr) return false;
  window_ = CreateLayer(host, ToolbarHome(GetScreenRect(), kSize), true);
  if (window_ == nullptr) return false;
  target_ = RegisterCommandTarget([this](int id) { OnCommand(id); });
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  frame_.Attach(window_);
  // A click posts the button's id, so the command runs after the click has finished.
  buttons_.Create(GTK_FIXED(fixed), kSize.width, kSize.height,
                  [this](int id) { PostCommand(target_, id); });
  gtk_widget_show(fixed);
  // A new resolution or monitor brings the full-screen layout back on the new screen.
  screen_ = gtk_widget_get_screen(window_);
  screenHandlers_[0] = g_signal_connect(screen_, "size-changed", G_CALLBACK(OnScreenChanged), this);
  screenHandlers_[1] = g_signal_connect(screen_, "monitors-changed", G_CALLBACK(OnScreenChanged), this);
  return true;
}

void CToolbarDlg::OnScreenChanged(GdkScreen*, gpointer self) {
  PostCommand(static_cast<CToolbarDlg*>(self)->target_, kCmdDisplayChanged);
}

void CToolbarDlg::OnTimer(int id) {
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

void CToolbarDlg::Destroy() {
  slideShow_.Stop();
  if (window_ == nullptr) return;
  for (gulong& handler : screenHandlers_)
    if (handler != 0) g_signal_handler_disconnect(screen_, handler), handler = 0;
  GtkWidget* window = window_;
  window_ = nullptr;
  gtk_widget_destroy(window);
}

GtkWidget* CToolbarDlg::button(int id) {
  CImageButton* b = imageButton(id);
  return b == nullptr ? nullptr : b->Widget();
}

void CToolbarDlg::SetTooltip(int buttonId, StringId stringId) {
  if (CImageButton* b = imageButton(buttonId)) b->SetTooltip(stringId);
}

// The show's state and direction are seen on the buttons at once, hovered or not.
void CToolbarDlg::SetButtonBitmap(int buttonId, BitmapId bitmapId) {
  if (CImageButton* b = imageButton(buttonId)) b->SetBitmaps(bitmapId, bitmapId);
}

void CToolbarDlg::Show(bool show) {
  if (window_ == nullptr) return;
  ShowLayer(window_, show);
  if (show && !shownOnce_)
    OnFirstShow();
  else if (show && !startFolder_.empty())
    PostCommand(target_, kCmdOpenStartPath);
}

void CToolbarDlg::OpenLater(const std::string& folder, const std::string& picture) {
  startFolder_ = folder;
  startPicture_ = picture;
  if (shownOnce_ && IsVisible()) PostCommand(target_, kCmdOpenStartPath);
}

// The first showing opens the folder selected in the tree.
void CToolbarDlg::OnFirstShow() {
  shownOnce_ = true;
  PostCommand(target_, kCmdFirstShow);
}

bool CToolbarDlg::IsVisible() const {
  return window_ != nullptr && TopLevelWindows().IsVisible(WindowIdOf(window_));
}

FrontPane CToolbarDlg::GetFrontPane() const {
  PaneWindows panes;
  panes.toolbar = WindowIdOf(window_);
  panes.imageView = WindowIdOf(main_.imageView().window());
  panes.thumbnailList = WindowIdOf(main_.thumbList().window());
  panes.info = WindowIdOf(main_.info().window());
  panes.folderTree = WindowIdOf(main_.folderTree().window());
  return FrontPaneOf(TopLevelWindows(), panes, main_.viewerWindow().ContentRect());
}

// Every dialog is transient for the viewer's one window, which keeps it above.
GtkWindow* CToolbarDlg::GetDialogParent() {
  GtkWidget* tree = main_.folderTree().window();
  if (tree != nullptr && gtk_widget_get_visible(tree)) main_.folderTree().OnCancel();
  return main_.viewerWindow().window();
}

void CToolbarDlg::ApplyLayout(LayoutMode mode) {
  const Rect screen = GetScreenRect();
  LayoutPlan plan = PlanLayout(mode, screen, kSize);
  CViewerWindow& viewer = main_.viewerWindow();
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
      toolbar = Rect{0, 0, kSize.width, kSize.height};
      break;
  }
  Rect panes = mode == LayoutMode::kMinimized ? Rect{} : Rect{0, 0, plan.panes.Width(), plan.panes.Height()};
  main_.thumbList().Move(panes);
  main_.imageView().Move(panes);
  main_.info().Move(panes);
  SetButtonBitmap(kBtnMinimize, plan.minimizeBitmap);
  SetTooltip(kBtnMinimize, plan.minimizeTooltip);
  SetButtonBitmap(kBtnMaximize, plan.maximizeBitmap);
  SetTooltip(kBtnMaximize, plan.maximizeTooltip);
  // The window takes its new size later; the toolbar goes home again once it has.
  plannedContent_ = mode == LayoutMode::kMinimized ? Rect{0, 0, kSize.width, kSize.height}
                                                   : Rect{0, 0, plan.panes.Width(), plan.panes.Height()};
  plannedToolbar_ = toolbar;
  if (window_ != nullptr) MoveLayer(window_, toolbar);
  if (!plan.buttonsEnabled) slideShow_.Stop();
  for (int id : ButtonsDisabledWhenMinimized())
    if (CImageButton* b = imageButton(id)) b->SetEnabled(plan.buttonsEnabled);
}

void CToolbarDlg::FitLayers(const Rect& content) {
  if (main_.viewerWindow().mode() != LayoutMode::kMinimized) {
    main_.thumbList().Move(content);
    main_.imageView().Move(content);
    main_.info().Move(content);
  }
  bool planned = content.Width() == plannedContent_.Width() && content.Height() == plannedContent_.Height();
  if (planned && window_ != nullptr && plannedToolbar_.Width() > 0) {
    MoveLayer(window_, plannedToolbar_);
    plannedToolbar_ = Rect{};
  }
  for (GtkWidget* layer : {window_, main_.folderTree().window()}) {
    Rect rect = TopLevelWindows().GetRect(WindowIdOf(layer));
    if (layer != nullptr && rect.Width() > 0) MoveLayer(layer, KeptInside(rect, content));
  }
}

void CToolbarDlg::OpenFolderTree() {
  slideShow_.Stop();
  GtkWidget* openButton = button(kBtnOpenFolder);
  Rect toolbar = TopLevelWindows().GetRect(WindowIdOf(window_));
  const Rect content = main_.viewerWindow().ContentRect();
  Rect buttonRect = toolbar;
  if (openButton != nullptr) {
    GtkAllocation a;
    gtk_widget_get_allocation(openButton, &a);
    buttonRect = Rect{toolbar.left + a.x, toolbar.top + a.y, toolbar.left + a.x + a.width,
                      toolbar.top + a.y + a.height};
  }
  Rect place = PlaceFolderTree(content, toolbar, buttonRect,
                               Size{CFolderTreeDlg::kWidth, CFolderTreeDlg::kHeight});
  main_.folderTree().ShowAt(place.left, place.top);
}

void CToolbarDlg::ShowToolsMenu() {
  slideShow_.Stop();
  const Menu* menu = LoadMenu(MenuId::kToolsMenu);
  GtkWidget* anchor = button(kBtnTools);
  if (menu == nullptr || anchor == nullptr) return;
  GtkWidget* popup = gtk_menu_new();
  for (size_t i = 0; i < menu->count; ++i) {
    const MenuItem& item = menu->items[i];
    GtkWidget* entry;
    if (item.text == nullptr) {
      entry = gtk_separator_menu_item_new();
    } else {
      MenuLabel label = SplitMenuText(item.text);
      std::string text = label.mnemonicLabel + (label.keyHint.empty() ? "" : "    " + label.keyHint);
      entry = gtk_menu_item_new_with_mnemonic(text.c_str());
      g_object_set_data(G_OBJECT(entry), "kov-command", GINT_TO_POINTER(item.commandId));
      g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkMenuItem* m, gpointer self) {
                         int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(m), "kov-command"));
                         PostCommand(static_cast<CToolbarDlg*>(self)->target_, id);
                       }),
                       this);
    }
    gtk_menu_shell_append(GTK_MENU_SHELL(popup), entry);
  }
  gtk_widget_show_all(popup);
  // The menu lives until it is closed.
  g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkMenuShell* m, gpointer) {
                     g_idle_add(+[](gpointer w) { gtk_widget_destroy(GTK_WIDGET(w)); return G_SOURCE_REMOVE; }, m);
                   }),
                   nullptr);
  // The menu opens from a posted command, after the click's event has gone; the
  // toolkit needs an event of the pointer to take its grab, and warns without one.
  GdkEvent* trigger = gdk_event_new(GDK_BUTTON_PRESS);
  if (GdkWindow* window = gtk_widget_get_window(anchor)) trigger->button.window = GDK_WINDOW(g_object_ref(window));
  trigger->button.time = GDK_CURRENT_TIME;
  trigger->button.button = 1;
  gdk_event_set_device(trigger, gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(anchor))));
  gtk_menu_popup_at_widget(GTK_MENU(popup), anchor, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, trigger);
  gdk_event_free(trigger);
}

void CToolbarDlg::PrintFrontPane() {
  CPaneDlg* pane = nullptr;
  FrontPane front = GetFrontPane();
  if (front == FrontPane::kImage) pane = &main_.imageView();
  if (front == FrontPane::kThumbnails) pane = &main_.thumbList();
  if (pane == nullptr || pane->page().View() == nullptr) return;
  slideShow_.Stop();  // its ticks would restack the panes over the dialog
  WebKitPrintOperation* print = webkit_print_operation_new(pane->page().View());
  webkit_print_operation_run_dialog(print, main_.viewerWindow().window());
  g_object_unref(print);
}

void CToolbarDlg::OpenFileManager() {
  const std::string folder = GetCurrentFolder();
  if (folder.empty() || GetUriLauncher().OpenFolder(folder)) return;
  GetMessageBox().ShowNotice(main_.viewerWindow().window(), "No file manager was found to open this folder:\n\n" + DisplayName(folder));
}

}  // namespace kov

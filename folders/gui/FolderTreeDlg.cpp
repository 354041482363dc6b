// The folder tree window: its widgets, placement, keys and the OK / Cancel actions.
// The tree's rows are managed in FolderTreeRows.cpp.
#include "folders/gui/FolderTreeDlg.h"

#include "platform/DriveTypes.h"
#include "platform/gui/WindowRecord.h"
#include "folders/FolderTreeModel.h"
#include "folders/Settings.h"

namespace kov {

namespace {

constexpr int kButtonSize = 18;
constexpr int kButtonMargin = 2;  // the OK button's right and bottom edge from the window's
constexpr PackedRgb kBackColour = 0xFFFFE1;  // the window's light yellow

// Light yellow background and a thin black border.
const char kFolderTreeCss[] =
    "eventbox.kov-folder-tree, .kov-folder-tree { background-color: rgb(255,255,225); border: 1px solid black; }";

void AddCss(GtkWidget* widget, const char* styleClass) {
  static GtkCssProvider* provider = [] {
    GtkCssProvider* made = gtk_css_provider_new();
    gtk_css_provider_load_from_data(made, kFolderTreeCss, -1, nullptr);
    return made;
  }();
  GtkStyleContext* style = gtk_widget_get_style_context(widget);
  gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(provider), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_style_context_add_class(style, styleClass);
}

}  // namespace

CFolderTreeDlg::CFolderTreeDlg(FolderTreeSources sources, std::function<void()> onFolderChosen)
    : sources_(std::move(sources)), onFolderChosen_(std::move(onFolderChosen)) {}

CFolderTreeDlg::~CFolderTreeDlg() {
  if (host_ != nullptr) g_signal_handlers_disconnect_by_data(host_, this);
  if (window_) gtk_widget_destroy(window_);
  if (ownHost_) gtk_widget_destroy(GTK_WIDGET(ownHost_));
  if (store_) g_object_unref(store_);
}

bool CFolderTreeDlg::Create(GtkWindow* host) {
  if (window_) return false;
  if (host == nullptr) {
    // On its own the tree floats in a window of its own over the screen.
    ownHost_ = CreateLayerHost(GetScreenRect());
    gtk_window_set_title(ownHost_, "Open Image Folder");
    gtk_window_set_decorated(ownHost_, FALSE);
    g_signal_connect(ownHost_, "delete-event", G_CALLBACK(gtk_true), nullptr);
    host = ownHost_;
  }
  BuildWidgets(host);
  InsertTopLevel();
  SelectInitialFolder();
  UpdateOkButton();
  return true;
}

void CFolderTreeDlg::BuildWidgets(GtkWindow* host) {
  // A layer of the host, in the program's window record, so the front pane can be the tree.
  window_ = CreateLayer(host, Rect{0, 0, kWidth, kHeight});
  gtk_widget_set_size_request(window_, kWidth, kHeight);
  AddCss(window_, "kov-folder-tree");

  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);

  // The tree fills the window from its top-left corner down to just above the buttons.
  const int buttonTop = kHeight - kButtonMargin - kButtonSize;
  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
  gtk_widget_set_size_request(scroller, kWidth - 2, buttonTop - 2);
  gtk_fixed_put(GTK_FIXED(fixed), scroller, 0, 0);
  store_ = gtk_tree_store_new(3, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_ICON);
  tree_ = GTK_TREE_VIEW(gtk_tree_view_new_with_model(GTK_TREE_MODEL(store_)));
  gtk_tree_view_set_headers_visible(tree_, FALSE);
  gtk_tree_view_set_enable_tree_lines(tree_, TRUE);
  GtkTreeViewColumn* column = gtk_tree_view_column_new();
  GtkCellRenderer* icon = gtk_cell_renderer_pixbuf_new();
  gtk_tree_view_column_pack_start(column, icon, FALSE);
  gtk_tree_view_column_add_attribute(column, icon, "gicon", 2);
  GtkCellRenderer* text = gtk_cell_renderer_text_new();
  gtk_tree_view_column_pack_start(column, text, TRUE);
  gtk_tree_view_column_add_attribute(column, text, "text", 0);
  gtk_tree_view_append_column(tree_, column);
  gtk_container_add(GTK_CONTAINER(scroller), GTK_WIDGET(tree_));

  BuildButtons(GTK_FIXED(fixed));
  g_signal_connect_swapped(gtk_tree_view_get_selection(tree_), "changed",
                           G_CALLBACK(+[](CFolderTreeDlg* self) { self->UpdateOkButton(); }), this);
  g_signal_connect(tree_, "test-expand-row", G_CALLBACK(OnTestExpandRow), this);
  g_signal_connect(tree_, "row-collapsed", G_CALLBACK(OnRowCollapsed), this);
  // Return presses OK while the tree is shown, as in every dialog. Keys reach the
  // window before the widgets in it, so the handler sits on the window, connected
  // before the viewer's command table (which has every other key and Close here too)
  // and never seen by it. Where nothing has taken Close, the layer still lives, with
  // its tree, as long as its window.
  host_ = host;
  g_signal_connect(host, "key-press-event", G_CALLBACK(OnKeyPress), this);
  // The window may go first (the viewer's quit path): nothing is left to disconnect.
  g_signal_connect(host, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer self) {
                     auto* dialog = static_cast<CFolderTreeDlg*>(self);
                     dialog->host_ = nullptr;
                     dialog->window_ = nullptr;
                   }),
                   this);
  g_signal_connect_after(window_, "delete-event", G_CALLBACK(gtk_true), nullptr);
  gtk_widget_show_all(fixed);
}

// OK in the bottom-right corner, Cancel one pixel to its left, both 18 x 18.
void CFolderTreeDlg::BuildButtons(GtkFixed* fixed) {
  const int top = kHeight - kButtonMargin - kButtonSize;
  const int okLeft = kWidth - kButtonMargin - kButtonSize;
  struct Place {
    CImageButton* button;
    int id;
    BitmapId bitmap;
    int left;
    const char* tip;
  };
  for (const Place& p : {Place{&ok_, 1, BitmapId::kOk, okLeft, "OK"},
                         Place{&cancel_, 2, BitmapId::kCancel, okLeft - kButtonSize - 1, "Cancel"}}) {
    GtkWidget* widget = p.button->Create(p.id, kButtonSize, kButtonSize);
    p.button->SetBitmaps(p.bitmap, p.bitmap);
    p.button->SetBackColor(kBackColour);
    p.button->SetTooltipText(p.tip);
    gtk_fixed_put(fixed, widget, p.left, top);
  }
  ok_.SetClickHandler([this](int) { OnOK(); });
  cancel_.SetClickHandler([this](int) { OnCancel(); });
}

void CFolderTreeDlg::ShowAt(int x, int y) {
  if (!window_) return;
  MoveLayer(window_, Rect{x, y, x + kWidth, y + kHeight});
  ShowLayer(window_, true);
  GtkWindow* host = HostOf(window_);
  if (ownHost_ != nullptr) gtk_widget_show(GTK_WIDGET(ownHost_));
  gtk_window_present(host);
  if (GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(host))) {
    // Without a window manager nobody else raises the window or hands it the focus.
    gdk_window_raise(surface);
    gdk_window_focus(surface, GDK_CURRENT_TIME);
  }
  gtk_widget_grab_focus(GTK_WIDGET(tree_));
}

void CFolderTreeDlg::SelectInitialFolder() {
  if (!sources_.initialFacts) return;
  std::string folder = ChooseInitialFolder(sources_.initialFacts());
  if (!folder.empty()) SelectPath(folder);
}

void CFolderTreeDlg::UpdateOkButton() {
  bool enabled = !GetSelectedPath().empty();
  ok_.SetEnabled(enabled);
  // OK has its own picture while nothing is chosen.
  BitmapId bitmap = enabled ? BitmapId::kOk : BitmapId::kOkDisabled;
  ok_.SetBitmaps(bitmap, bitmap);
}

void CFolderTreeDlg::OnOK() {
  ShowLayer(window_, false);
  FolderTreeOk ok = DecideFolderTreeOk(GetSelectedPath(), GetPathDriveType(GetSelectedPath()));
  if (ok.remember && sources_.settings.set) sources_.settings.set(kImageFolderSetting, ok.folder);
  if (onFolderChosen_) onFolderChosen_();
}

void CFolderTreeDlg::OnCancel() { ShowLayer(window_, false); }

gboolean CFolderTreeDlg::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* dialog = static_cast<CFolderTreeDlg*>(self);
  if (dialog->window_ == nullptr || !gtk_widget_get_visible(dialog->window_)) return FALSE;
  const guint key = event->keyval;
  const bool plain = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK)) == 0;
  if (!plain || (key != GDK_KEY_Return && key != GDK_KEY_KP_Enter && key != GDK_KEY_ISO_Enter)) return FALSE;
  if (dialog->ok_.IsEnabled()) dialog->OnOK();
  return TRUE;
}

}  // namespace kov

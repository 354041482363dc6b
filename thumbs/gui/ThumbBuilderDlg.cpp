// The builder's window: its widgets, placement, keys, nested loop and the timers,
// commands and texts the builder's steps drive. Capturing a picture is in
// ThumbBuilderCapture.cpp.
#include "thumbs/gui/ThumbBuilderDlg.h"

#include <algorithm>

#include "pages/ThumbStripPage.h"
#include "platform/Screen.h"
#include "platform/gui/WindowRecord.h"
#include "thumbs/ThumbCacheStore.h"
#include "thumbs/ThumbStrip.h"
#include "thumbs/UnsavedCaches.h"
#include "thumbs/gui/UnsavedCacheNotice.h"

namespace kov {

namespace {

constexpr int kMargin = 6;
// Two strips: the one on show and the next, decoded ahead.
constexpr size_t kDecodedAhead = 2 * kStripPictures;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kStatusHeight = 20;
constexpr int kBarHeight = 10;

// The part done, in the caption's navy, over a lighter trough.
gboolean DrawBar(GtkWidget* bar, cairo_t* cr, gpointer fraction) {
  const double width = gtk_widget_get_allocated_width(bar), height = gtk_widget_get_allocated_height(bar);
  cairo_set_source_rgb(cr, 0.94, 0.94, 0.93);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 10 / 255.0, 36 / 255.0, 106 / 255.0);
  cairo_rectangle(cr, 0, 0, width * *static_cast<const double*>(fraction), height);
  cairo_fill(cr);
  return FALSE;
}

const char kBuilderCss[] =
    "window.kov-builder { background-color: rgb(212,208,200); border: 1px solid black; }"
    "label.kov-builder-caption { background-color: rgb(10,36,106); color: white;"
    "  font-weight: bold; padding-left: 4px; }"
    "frame.kov-builder-status > border { border: 1px solid rgb(128,128,128); }"
    "label.kov-builder-status { padding-right: 4px; }"
    "button.kov-builder-cancel { min-height: 0; padding: 0 4px; }";

void AddCss(GtkWidget* widget, const char* styleClass) {
  static GtkCssProvider* provider = [] {
    GtkCssProvider* made = gtk_css_provider_new();
    gtk_css_provider_load_from_data(made, kBuilderCss, -1, nullptr);
    return made;
  }();
  GtkStyleContext* style = gtk_widget_get_style_context(widget);
  gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_style_context_add_class(style, styleClass);
}

// Centred on the screen rectangle, the halving truncated toward zero.
Rect CentredRect(int width, int height) {
  Rect screen = GetScreenRect();
  int left = screen.left + (screen.Width() - width) / 2;
  int top = screen.top + (screen.Height() - height) / 2;
  return Rect{left, top, left + width, top + height};
}

}  // namespace

CThumbBuilderDlg::CThumbBuilderDlg(const std::string& baseFolder, const std::string& startFolder,
                                   bool includeSubfolders, std::unique_ptr<IThumbStore> store)
    : store_(store ? std::move(store) : std::make_unique<CThumbCacheStore>()),
      timers_([this](int timerId) { builder_->OnTimer(timerId); }) {
  target_ = RegisterCommandTarget([this](const Command& command) { OnCommand(command.id); });
  pane_ = std::make_unique<CNotifyBrowserPane>();
  snapshots_ = g_cancellable_new();
  IThumbBuilderHost& host = *this;
  builder_ = std::make_unique<CThumbBuilder>(host, *store_, baseFolder, startFolder,
                                             includeSubfolders);
}

CThumbBuilderDlg::~CThumbBuilderDlg() {
  // A build left running must not leave its temporary file behind.
  builder_.reset();
  if (ActiveDecodeAhead() == decodeAhead_) SetActiveDecodeAhead(nullptr);
  decodeAhead_.reset();  // waits for the decodes still running
  g_cancellable_cancel(snapshots_);
  g_object_unref(snapshots_);
  UnregisterCommandTarget(target_);
  pane_.reset();  // the view goes before the window that holds it
  if (window_) gtk_widget_destroy(window_);
}

bool CThumbBuilderDlg::Create(GtkWindow* parent) {
  if (window_) return false;
  BuildWidgets(parent);
  GtkWidget* fixed = gtk_bin_get_child(GTK_BIN(window_));
  Rect paneRect{0, kCaptionHeight, kWidth, kCaptionHeight + kPaneHeight};
  if (!pane_->Create(GTK_FIXED(fixed), paneRect, target_)) return false;
  // Right-clicking the picture shows nothing.
  pane_->SetNoContextMenu(true);
  return true;
}

void CThumbBuilderDlg::BuildWidgets(GtkWindow* parent) {
  const int height = kCaptionHeight + kClientHeight;
  // Its own caption strip is drawn in the window, so the desktop draws none; modal
  // and transient for the viewer's window, a window manager keeps it above that.
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
  PlaceWindow(GTK_WINDOW(window_), CentredRect(kWidth, height));
  gtk_window_set_title(GTK_WINDOW(window_), kBuilderCaption);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
  gtk_window_set_skip_pager_hint(GTK_WINDOW(window_), TRUE);
  gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  if (parent) gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_widget_set_size_request(window_, kWidth, height);
  AddCss(window_, "kov-builder");

  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);

  caption_ = gtk_label_new(kBuilderCaption);
  gtk_label_set_xalign(GTK_LABEL(caption_), 0);
  gtk_label_set_ellipsize(GTK_LABEL(caption_), PANGO_ELLIPSIZE_START);
  // A long folder name is cut at its start; it never widens the window.
  gtk_label_set_max_width_chars(GTK_LABEL(caption_), 1);
  gtk_widget_set_size_request(caption_, kWidth, kCaptionHeight);
  AddCss(caption_, "kov-builder-caption");
  gtk_fixed_put(GTK_FIXED(fixed), caption_, 0, 0);

  // Status and Cancel share the row below the pane: in a sunken box a bar of the
  // pictures done and the count right-aligned, the button at the right edge.
  const int rowTop = kCaptionHeight + kPaneHeight;
  const int rowHeight = kClientHeight - kPaneHeight;
  const int buttonLeft = kWidth - kMargin - kButtonWidth;
  GtkWidget* frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
  AddCss(frame, "kov-builder-status");
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  // The bar is drawn here: the theme's progress bar is at least 150 pixels wide, which
  // pushed the box under Cancel and hid the count. This one takes what the count leaves.
  progress_ = gtk_drawing_area_new();
  gtk_widget_set_size_request(progress_, -1, kBarHeight);
  gtk_widget_set_valign(progress_, GTK_ALIGN_CENTER);
  gtk_widget_set_margin_start(progress_, 3);
  g_signal_connect(progress_, "draw", G_CALLBACK(DrawBar), &progressFraction_);
  gtk_box_pack_start(GTK_BOX(row), progress_, TRUE, TRUE, 0);
  status_ = gtk_label_new(kScanningStatus);
  gtk_label_set_xalign(GTK_LABEL(status_), 1);
  AddCss(status_, "kov-builder-status");
  gtk_box_pack_end(GTK_BOX(row), status_, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(frame), row);
  gtk_widget_set_size_request(frame, buttonLeft - 2 * kMargin, kStatusHeight);
  gtk_fixed_put(GTK_FIXED(fixed), frame, kMargin, rowTop + (rowHeight - kStatusHeight) / 2);

  cancel_ = gtk_button_new_with_label("Cancel");
  gtk_widget_set_size_request(cancel_, kButtonWidth, kButtonHeight);
  AddCss(cancel_, "kov-builder-cancel");
  gtk_fixed_put(GTK_FIXED(fixed), cancel_, buttonLeft, rowTop + (rowHeight - kButtonHeight) / 2);
  g_signal_connect_swapped(cancel_, "clicked",
                           G_CALLBACK(+[](CThumbBuilderDlg* self) { self->OnCancel(); }), this);

  g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKeyPress), this);
  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](CThumbBuilderDlg* self) {
                             self->OnCancel();
                             return TRUE;
                           }),
                           this);
  gtk_widget_show_all(fixed);
}

BuildResult CThumbBuilderDlg::Run() {
  if (!window_ || ended_) return result_;
  gtk_widget_show(window_);
  // Without a window manager nobody raises the window or hands it the keyboard.
  if (GdkWindow* surface = gtk_widget_get_window(window_)) {
    gdk_window_raise(surface);
    gdk_window_focus(surface, GDK_CURRENT_TIME);
  }
  // One worker a core: the user-interface thread and the engine take their turns
  // between the decodes.
  decodeAhead_ = std::make_shared<CDecodeAhead>(std::clamp(g_get_num_processors(), 1u, 4u),
                                                kDecodedAhead);
  SetActiveDecodeAhead(decodeAhead_);
  builder_->Begin();
  loop_ = g_main_loop_new(nullptr, FALSE);
  if (!ended_) g_main_loop_run(loop_);
  g_main_loop_unref(loop_);
  loop_ = nullptr;
  SetActiveDecodeAhead(nullptr);
  decodeAhead_.reset();
  gtk_widget_hide(window_);
  return result_;
}

void CThumbBuilderDlg::OnCancel() { builder_->Cancel(); }

std::string CThumbBuilderDlg::StatusText() const {
  return status_ ? gtk_label_get_text(GTK_LABEL(status_)) : "";
}

std::string CThumbBuilderDlg::CaptionText() const {
  return caption_ ? gtk_label_get_text(GTK_LABEL(caption_)) : "";
}

// Escape cancels; every other key, Enter included, is kept from the page and the
// button, so nothing but Escape and the Cancel button can end the build.
gboolean CThumbBuilderDlg::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  if (event->keyval == GDK_KEY_Escape) static_cast<CThumbBuilderDlg*>(self)->OnCancel();
  return TRUE;
}

void CThumbBuilderDlg::OnCommand(int command) {
  if (command == kCmdPageLoaded) {
    CNotifyBrowserPane::FinishedLoad load = pane_->TakeFinishedLoad();
    if (load.failed) {
      builder_->OnPageFailed(load.url);
      return;
    }
    if (load.url == stripUrl_) {
      stamps_.loaded = g_get_monotonic_time();
      stripPageLoaded_ = true;
    }
    builder_->OnPageLoaded(load.url);
    return;
  }
  builder_->OnCommand(command);
}

void CThumbBuilderDlg::Navigate(const std::string& url) {
  stamps_ = StripStamps();
  stamps_.navigated = g_get_monotonic_time();
  const std::string strip = "kovp://thumbstrip/";
  std::vector<std::string> paths;
  const bool isStrip = url.compare(0, strip.size(), strip) == 0 &&
                       ThumbStripPictures(url.substr(strip.size()), &paths);
  if (isStrip) {
    stripUrl_ = url;
    stripCells_ = paths.size();
  }
  if (isStrip && stripPageLoaded_) {
    ShowInStripPage(url, paths);
    return;
  }
  stripPageLoaded_ = false;
  pane_->Navigate(url);
}

// Every strip after the first is shown in the strip page already loaded, its cells'
// pictures replaced. A page per strip left the old pages, with their pictures, to the
// engine's collector, which seldom ran during a build: the web process grew by some
// 300 MB over a thousand pictures and kept it. The strip counts as loaded once its
// pictures have; should the page not take it, the strip's own page is loaded instead.
void CThumbBuilderDlg::ShowInStripPage(const std::string& url, const std::vector<std::string>& paths) {
  pane_->ReadAsyncScriptJson(ShowThumbStripBody(url, paths), [this, url](bool ok, const std::string&) {
    if (url != stripUrl_) return;  // the builder has moved on to another strip
    if (!ok) {
      stripPageLoaded_ = false;
      pane_->Navigate(url);
      return;
    }
    stamps_.loaded = g_get_monotonic_time();
    builder_->OnPageLoaded(url);
  });
}

void CThumbBuilderDlg::DecodeAhead(const std::vector<std::string>& paths) {
  if (decodeAhead_) decodeAhead_->Want(paths);
}

void CThumbBuilderDlg::StartTimer(int timerId, unsigned periodMs) { timers_.Set(timerId, periodMs); }

void CThumbBuilderDlg::KillTimer(int timerId) { timers_.Kill(timerId); }

void CThumbBuilderDlg::Post(int command) { PostCommand(target_, command); }

void CThumbBuilderDlg::SetCaption(const std::string& text) {
  gtk_label_set_text(GTK_LABEL(caption_), text.c_str());
  gtk_window_set_title(GTK_WINDOW(window_), text.c_str());
}

namespace {
CThumbBuilderDlg::StatusObserverFn& StatusObserver() {
  static CThumbBuilderDlg::StatusObserverFn observer;
  return observer;
}
}  // namespace

void CThumbBuilderDlg::SetStatusObserver(StatusObserverFn observer) {
  StatusObserver() = std::move(observer);
}

void CThumbBuilderDlg::SetProgress(unsigned done, unsigned total) {
  if (total == 0) return;
  progressFraction_ = done >= total ? 1.0 : double(done) / total;
  if (progress_) gtk_widget_queue_draw(progress_);
}

void CThumbBuilderDlg::SetStatus(const std::string& text) {
  if (status_) gtk_label_set_text(GTK_LABEL(status_), text.c_str());
  if (StatusObserver()) StatusObserver()(text, window_);
}

// With snapshot capture nothing can cover the picture; what matters is that the
// window the user watches is still there.
bool CThumbBuilderDlg::IsShown() { return window_ && gtk_widget_get_visible(window_); }

void CThumbBuilderDlg::End(BuildResult result) {
  ended_ = true;
  result_ = result;
  if (loop_) g_main_loop_quit(loop_);
}

bool RunThumbnailBuilder(GtkWindow* parent, const std::string& base, const std::string& start,
                         bool recursive) {
  CThumbBuilderDlg dialog(base, start, recursive);
  if (!dialog.Create(parent)) return false;
  BuildResult result = dialog.Run();
  if (result == BuildResult::kNotSaved) {
    // Said once per folder: a later visit builds again without asking again.
    std::string text = UnsavedThumbnailsText(FoldersNotYetTold(dialog.UnwritableFolders()));
    if (!text.empty()) GetUnsavedCacheNotice().Tell(parent, text);
  }
  return result == BuildResult::kOk;
}

BuildResult RunFolderCacheBuilder(GtkWindow* parent, const std::string& base,
                                  std::vector<UnsavedCache>* unsaved) {
  auto store = std::make_unique<CThumbCacheStore>();
  store->WriteOnlyFolderCaches();
  CThumbBuilderDlg dialog(base, base, true, std::move(store));
  if (!dialog.Create(parent)) return BuildResult::kCancelled;
  BuildResult result = dialog.Run();
  *unsaved = dialog.UnwritableFolders();
  return result;
}

}  // namespace kov

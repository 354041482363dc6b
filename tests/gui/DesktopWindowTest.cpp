// The viewer on a desktop with a window manager and a panel, as users run it: full
// screen over the panel, back with its view when activated after another window,
// a restored window the user can move, and a path handed over while a dialog is up.
// Without a window manager these tests have nothing to check and are skipped.
#include <gtest/gtest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

#include <functional>

#include "base/TextEscape.h"
#include "platform/CommandQueue.h"
#include "platform/gui/ModalDialogs.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"
#include "tests/gui/WindowManager.h"
#include "thumbs/CacheLocation.h"

namespace kov {
namespace test {
namespace {

constexpr int kPanelHeight = 40;
constexpr unsigned kPanelColour = 0xff00ff;
constexpr unsigned kPictureColour = 0x3060c0;

// What the screen shows at (x, y), as 0xRRGGBB.
long ScreenPixel(int x, int y) {
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
  if (shot == nullptr) return -1;
  const guchar* p = gdk_pixbuf_get_pixels(shot);
  long rgb = (long(p[0]) << 16) | (long(p[1]) << 8) | p[2];
  g_object_unref(shot);
  return rgb;
}

void SaveScreen(const std::string& name) {
  GdkWindow* root = gdk_get_default_root_window();
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root), gdk_window_get_height(root));
  if (shot == nullptr) return;
  std::string folder = std::string(KOV_BINARY_DIR) + "/screenshots";
  g_mkdir_with_parents(folder.c_str(), 0755);
  gdk_pixbuf_save(shot, (folder + "/" + name + ".png").c_str(), "png", nullptr, nullptr);
  g_object_unref(shot);
}

gboolean PaintColour(GtkWidget*, cairo_t* cr, gpointer colour) {
  unsigned c = GPOINTER_TO_UINT(colour);
  cairo_set_source_rgb(cr, (c >> 16) / 255.0, ((c >> 8) & 0xff) / 255.0, (c & 0xff) / 255.0);
  cairo_paint(cr);
  return TRUE;
}

GtkWidget* ColourWindow(const Rect& rect, unsigned colour) {
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_widget_set_app_paintable(window, TRUE);
  g_signal_connect(window, "draw", G_CALLBACK(PaintColour), GUINT_TO_POINTER(colour));
  PlaceWindow(GTK_WINDOW(window), rect);
  return window;
}

// A desktop's panel along the bottom of the screen: a dock window that reserves its
// rows with a strut, as taskbars do.
GtkWidget* MakePanel() {
  const Rect screen = GetScreenRect();
  GtkWidget* panel = ColourWindow(Rect{0, screen.bottom - kPanelHeight, screen.right, screen.bottom}, kPanelColour);
  gtk_window_set_type_hint(GTK_WINDOW(panel), GDK_WINDOW_TYPE_HINT_DOCK);
  gtk_window_set_decorated(GTK_WINDOW(panel), FALSE);
  gtk_widget_realize(panel);
  gulong strut[4] = {0, 0, 0, gulong(kPanelHeight)};
  gdk_property_change(gtk_widget_get_window(panel), gdk_atom_intern("_NET_WM_STRUT", FALSE),
                      gdk_atom_intern("CARDINAL", FALSE), 32, GDK_PROP_MODE_REPLACE,
                      reinterpret_cast<const guchar*>(strut), 4);
  gtk_widget_show(panel);
  return panel;
}

// The frame of a top-level window on the screen, decorations included.
Rect FrameOf(GtkWidget* window) {
  GdkRectangle frame{0, 0, 0, 0};
  if (GdkWindow* surface = gtk_widget_get_window(window)) gdk_window_get_frame_extents(surface, &frame);
  return Rect{frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
}

bool SameRect(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Asks the window manager to activate the window, as a taskbar or Alt+Tab does.
void RequestActivation(GtkWidget* window) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = gdk_x11_window_get_xid(gtk_widget_get_window(window));
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // from a pager
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
}

// The centre of widget on the screen.
bool WidgetCentre(GtkWidget* widget, int* x, int* y) {
  GdkWindow* surface = widget == nullptr ? nullptr : gtk_widget_get_window(widget);
  if (surface == nullptr) return false;
  GtkAllocation a;
  gtk_widget_get_allocation(widget, &a);
  gdk_window_get_origin(surface, x, y);
  if (!gtk_widget_get_has_window(widget)) *x += a.x, *y += a.y;
  *x += a.width / 2, *y += a.height / 2;
  return true;
}

// Runs steps on the next modal dialog to be shown, from inside the dialog's own loop:
// a dialog run by a command holds its caller, the test's loop included, until it ends.
// Steps that leave the dialog up (a failed check) have it answered, so it ends anyway.
class InsideNextDialog {
 public:
  InsideNextDialog(int answer, std::function<void(GtkWindow*)> steps) : answer_(answer), steps_(std::move(steps)) {
    hook_ = g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, OnMap, this, nullptr);
  }
  ~InsideNextDialog() {
    if (hook_ != 0) g_signal_remove_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), hook_);
    if (idle_ != 0) g_source_remove(idle_);
  }
  bool ran() const { return ran_; }
  bool answered() const { return answered_; }

 private:
  static gboolean OnMap(GSignalInvocationHint*, guint, const GValue* params, gpointer data) {
    auto* self = static_cast<InsideNextDialog*>(data);
    GObject* shown = G_OBJECT(g_value_get_object(&params[0]));
    if (!GTK_IS_DIALOG(shown) || !gtk_window_get_modal(GTK_WINDOW(shown))) return TRUE;
    self->hook_ = 0;
    self->dialog_ = GTK_WINDOW(shown);
    g_signal_connect(shown, "response", G_CALLBACK(OnResponse), self);
    self->idle_ = g_idle_add(RunSteps, self);
    return FALSE;
  }
  static void OnResponse(GtkDialog*, gint, gpointer self) { static_cast<InsideNextDialog*>(self)->answered_ = true; }
  static gboolean RunSteps(gpointer data) {
    auto* self = static_cast<InsideNextDialog*>(data);
    self->idle_ = 0;
    self->ran_ = true;
    self->steps_(self->dialog_);
    g_signal_handlers_disconnect_by_data(self->dialog_, self);
    if (!self->answered_) gtk_dialog_response(GTK_DIALOG(self->dialog_), self->answer_);
    return G_SOURCE_REMOVE;
  }

  int answer_;
  std::function<void(GtkWindow*)> steps_;
  gulong hook_ = 0;
  guint idle_ = 0;
  GtkWindow* dialog_ = nullptr;
  bool ran_ = false, answered_ = false;
};

class DesktopWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindowManagerRunning()) GTEST_SKIP() << "no window manager on this display";
    pictures_ = tree_.Folder("Pictures");
    tree_.Folder("Pictures/A");
    tree_.Folder("Other");
    // As large as the screen and of its shape: shown whole, it covers every pixel.
    const Rect screen = GetScreenRect();
    ASSERT_TRUE(WritePng(pictures_ + "/A/big.png", screen.Width(), screen.Height(), kPictureColour));
    ASSERT_TRUE(AddPictureWithThumbnail(pictures_ + "/A/1.png", 0xc06030));
    ASSERT_TRUE(AddPictureWithThumbnail(tree_.path() + "/Other/1.png", 0x30c060));
  }
  void TearDown() override {
    run_.reset();
    for (GtkWidget* window : windows_) gtk_widget_destroy(window);
    SpinFor(50);
  }

  void Start(const std::string& folder = "", const std::string& picture = "") {
    run_ = std::make_unique<ViewerRun>(pictures_, folder, picture);
    ASSERT_TRUE(run_->WaitForTrace(picture.empty() ? "painted thumbs kovp://thumblst/" : "painted image kovp://image/"));
    ASSERT_TRUE(SpinUntil([&] { return toolbar().IsVisible(); }));
    // Keys go where the window manager has put the focus: the first page can be
    // drawn before the window manager has activated the window.
    ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(GTK_WINDOW(viewer())); }));
  }
  GtkWidget* viewer() { return GTK_WIDGET(run_->main().viewerWindow().window()); }
  CToolbarDlg& toolbar() { return run_->main().toolbar(); }
  void ClickButton(int id) {
    int x = 0, y = 0;
    ASSERT_TRUE(ButtonCentre(toolbar(), id, &x, &y));
    ClickAt(x, y, 1);
  }

  TempTree tree_;
  std::string pictures_;
  std::unique_ptr<ViewerRun> run_;
  std::vector<GtkWidget*> windows_;
};

TEST_F(DesktopWindowTest, APictureCoversTheWholeScreenAndThePanel) {
  windows_.push_back(MakePanel());
  ASSERT_TRUE(SpinUntil([] { return ScreenPixel(10, GetScreenRect().bottom - 10) == kPanelColour; }));
  Start(pictures_ + "/A", pictures_ + "/A/big.png");
  const Rect screen = GetScreenRect();
  EXPECT_TRUE(SpinUntil([&] { return SameRect(FrameOf(viewer()), screen); }));
  // Every corner and the panel's rows show the picture.
  const std::vector<std::pair<int, int>> places = {
      {1, 1}, {screen.right - 2, 1}, {1, screen.bottom - 2}, {screen.right / 2, screen.bottom - kPanelHeight / 2},
      {screen.right - 2, screen.bottom - 2}};
  bool covered = SpinUntil([&] {
    for (auto place : places)
      if (ScreenPixel(place.first, place.second) != kPictureColour) return false;
    return true;
  });
  SaveScreen("desktop-picture-over-panel");
  EXPECT_TRUE(covered) << "bottom row shows " << std::hex << ScreenPixel(screen.right / 2, screen.bottom - 2);
}

TEST_F(DesktopWindowTest, ActivationAfterAnotherWindowBringsBackTheThumbnails) {
  Start();
  int x = 0, y = 0;
  ASSERT_TRUE(FirstPictureCentre(&run_->main().thumbList().page(), &x, &y));
  ASSERT_TRUE(SpinUntil([&] { return ScreenPixel(x, y) == 0xc06030; }));
  GtkWidget* other = ColourWindow(Rect{100, 100, 900, 700}, 0xffff00);
  windows_.push_back(other);
  gtk_window_maximize(GTK_WINDOW(other));
  gtk_widget_show(other);
  gtk_window_present(GTK_WINDOW(other));
  ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(GTK_WINDOW(other)) && ScreenPixel(x, y) == 0xffff00; }));

  RequestActivation(viewer());
  ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(GTK_WINDOW(viewer())); }));
  bool shown = SpinUntil([&] { return ScreenPixel(x, y) == 0xc06030; });
  SaveScreen("desktop-activated-again");
  EXPECT_TRUE(shown) << "the thumbnail's place shows " << std::hex << ScreenPixel(x, y);
  EXPECT_EQ(run_->main().viewer().GetFrontPane(), FrontPane::kThumbnails);
}

TEST_F(DesktopWindowTest, RestoreGivesADecoratedWindowTheUserMovesAndMaximiseFullScreen) {
  Start();
  const Rect screen = GetScreenRect();
  ClickButton(kBtnMaximize);  // full screen: Restore Down
  ASSERT_TRUE(run_->WaitForCommand(kBtnMaximize));
  const int d = screen.Width() / 10;
  ASSERT_TRUE(SpinUntil([&] {
    GdkWindow* surface = gtk_widget_get_window(viewer());
    return gdk_window_get_width(surface) == screen.Width() - 2 * d && gdk_window_get_height(surface) == screen.Height() - 2 * d;
  }));
  // Decorated: the frame is larger than the window, with a title bar above it.
  Rect frame;
  int top = 0, left = 0;
  ASSERT_TRUE(SpinUntil([&] {
    frame = FrameOf(viewer());
    gdk_window_get_origin(gtk_widget_get_window(viewer()), &left, &top);
    return frame.top < top && frame.Width() >= screen.Width() - 2 * d;
  }));
  SaveScreen("desktop-restored");

  // Moved as the window manager moves a normal window, it goes where it is asked. (A
  // drag by the title bar raced the window manager's pointer grab.)
  gtk_window_move(GTK_WINDOW(viewer()), frame.left + 100, frame.top + 50);
  EXPECT_TRUE(SpinUntil([&] {
    Rect moved = FrameOf(viewer());
    return moved.left == frame.left + 100 && moved.top == frame.top + 50;
  })) << "frame at " << FrameOf(viewer()).left << "," << FrameOf(viewer()).top;

  ClickButton(kBtnMaximize);  // restored: Maximize
  ASSERT_TRUE(run_->WaitForCommand(kBtnMaximize, 2));
  EXPECT_TRUE(SpinUntil([&] { return SameRect(FrameOf(viewer()), screen); }));
  EXPECT_TRUE(SpinUntil([&] { return run_->main().info().IsVisible() &&
                                     TopLevelWindows().GetRect(WindowIdOf(run_->main().info().window())).Width() == screen.Width(); }));
}

// A path handed over by a later start while a modal dialog is up waits for it: the
// dialog stays in front and takes a click, and the path is shown once it has gone.
TEST_F(DesktopWindowTest, APathHandedOverWaitsForTheModalDialog) {
  tree_.Folder("Pictures/B");
  ASSERT_TRUE(AddPictureWithThumbnail(pictures_ + "/B/1.png", 0x6030c0));
  struct Case {
    const char* dialog;
    unsigned key;  // 0: post the command, as the toolbar's button does
    int command;
    int answer;  // the button clicked
    std::string handedOver;
  } cases[] = {
      {"the background dialog", XK_F4, 0, GTK_RESPONSE_CANCEL, tree_.path() + "/Other"},
      {"the quit question", 0, kBtnQuitOrBack, GTK_RESPONSE_NO, pictures_ + "/B"},
  };
  Start();
  for (const Case& c : cases) {
    const std::string shown = "navigate thumbs kovp://thumblst/" + PercentEncodePath(GetCachePath(c.handedOver, true));
    bool clicked = false;
    InsideNextDialog inside(c.answer, [&](GtkWindow* dialog) {
      ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(dialog); })) << c.dialog;
      run_->main().ShowHandedOver(c.handedOver);
      // Whatever the hand-over posted has run inside the dialog's loop.
      ASSERT_TRUE(SpinUntil([] { return PendingCommandCount() == 0; })) << c.dialog;
      EXPECT_EQ(run_->CountTrace(shown), 0) << c.dialog;
      EXPECT_EQ(ModalDialogUp(), dialog) << c.dialog;
      SaveScreen("desktop-dialog-after-handover");
      ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(dialog); })) << c.dialog;
      int x = 0, y = 0;
      ASSERT_TRUE(WidgetCentre(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), c.answer), &x, &y));
      ClickAt(x, y, 1);
      clicked = SpinUntil([&] { return inside.answered(); });
    });
    if (c.key != 0)
      PressKey(c.key);
    else
      PostCommand(run_->main().viewer().target(), c.command);
    ASSERT_TRUE(SpinUntil([&] { return inside.ran(); })) << c.dialog;
    EXPECT_TRUE(clicked) << c.dialog << " took no click";
    ASSERT_TRUE(run_->WaitForTrace(shown)) << c.dialog;
    EXPECT_EQ(run_->main().viewer().GetCurrentFolder(), c.handedOver);
    EXPECT_TRUE(SpinUntil([&] { return gtk_window_is_active(GTK_WINDOW(viewer())); })) << c.dialog;
  }
}

}  // namespace
}  // namespace test
}  // namespace kov

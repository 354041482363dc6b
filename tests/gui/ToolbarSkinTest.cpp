// The skinned toolbar on a real X display: frame and shape, hover, press and click,
// tooltips, disabled buttons and dragging by the top rows.
// GoogleTest first: the X headers define macros (None, Bool) that its templates use as names.
#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

#include <vector>

#include "app/ToolbarButtons.h"
#include "app/ToolbarFrame.h"
#include "platform/gui/WindowRecord.h"
#include "skin/ButtonSkin.h"
#include "tests/gui/GuiTestSupport.h"

namespace kov {
namespace {

constexpr PackedRgb kDark = 0x202830;
constexpr int kLeft = 100, kTop = 100;  // where the toolbar starts on the screen

Display* XDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

void MovePointer(int x, int y) {
  XTestFakeMotionEvent(XDisplay(), -1, x, y, CurrentTime);
  XFlush(XDisplay());
}

void SetButton(bool down) {
  XTestFakeButtonEvent(XDisplay(), 1, down ? True : False, CurrentTime);
  XFlush(XDisplay());
}

// What the screen shows (shapes and stacking included), as 0xRRGGBB rows.
std::vector<PackedRgb> ScreenPixels(int x, int y, int w, int h) {
  std::vector<PackedRgb> pixels;
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, w, h);
  if (pixbuf == nullptr) return pixels;
  int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* data = gdk_pixbuf_get_pixels(pixbuf);
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const guchar* p = data + row * stride + col * channels;
      pixels.push_back(PackedRgb(p[0]) << 16 | PackedRgb(p[1]) << 8 | p[2]);
    }
  }
  g_object_unref(pixbuf);
  return pixels;
}

PackedRgb ScreenPixel(int x, int y) {
  std::vector<PackedRgb> p = ScreenPixels(x, y, 1, 1);
  return p.empty() ? 0xFFFFFFFF : p[0];
}

void SaveScreen(int x, int y, int w, int h, const std::string& name) {
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, w, h);
  ASSERT_NE(shot, nullptr);
  std::string folder = std::string(KOV_BINARY_DIR) + "/screenshots";
  g_mkdir_with_parents(folder.c_str(), 0755);
  gdk_pixbuf_save(shot, (folder + "/" + name + ".png").c_str(), "png", nullptr, nullptr);
  GdkPixbuf* big = gdk_pixbuf_scale_simple(shot, w * 8, h * 8, GDK_INTERP_NEAREST);
  gdk_pixbuf_save(big, (folder + "/" + name + "-8x.png").c_str(), "png", nullptr, nullptr);
  g_object_unref(big);
  g_object_unref(shot);
}

gboolean PaintDark(GtkWidget*, cairo_t* cr, gpointer) {
  cairo_set_source_rgb(cr, 0x20 / 255.0, 0x28 / 255.0, 0x30 / 255.0);
  cairo_paint(cr);
  return TRUE;
}

// A dark backdrop with the demo toolbar (frame and ten buttons) over it.
class ToolbarSkinTest : public testing::Test {
 protected:
  void SetUp() override {
    backdrop_ = CreateLayerHost({0, 0, 700, 500});
    gtk_window_set_decorated(backdrop_, FALSE);
    GtkWidget* dark = CreateLayer(backdrop_, {0, 0, 700, 500});
    GtkWidget* area = gtk_drawing_area_new();
    g_signal_connect(area, "draw", G_CALLBACK(PaintDark), nullptr);
    gtk_container_add(GTK_CONTAINER(dark), area);
    gtk_widget_show(area);
    ShowLayer(dark, true);
    gtk_widget_show(GTK_WIDGET(backdrop_));

    toolbar_ = CreateLayer(backdrop_, {kLeft, kTop, kLeft + kToolbarWidth, kTop + kToolbarHeight}, true);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(toolbar_), fixed);
    gtk_widget_show(fixed);
    ASSERT_TRUE(frame_.Attach(toolbar_));
    ASSERT_TRUE(buttons_.Create(GTK_FIXED(fixed), kToolbarWidth, kToolbarHeight,
                                [this](int id) { clicks_.push_back(id); }));
    ShowLayer(toolbar_, true);
    MovePointer(600, 450);
    // Every test starts from the finished screen: the toolbar and its buttons painted,
    // and the backdrop painted again where the cut corners exposed it (until then the
    // cut shows the bare screen).
    Point about = ButtonOnScreen(1009);
    ASSERT_TRUE(test::SpinUntil([&] {
      return ScreenPixel(kLeft + 100, kTop + 20) == kToolbarBackColour && ScreenPixel(kLeft - 1, kTop) == kDark &&
             ScreenPixel(about.x, about.y) == kLightButtonBackColour && ScreenPixel(kLeft, kTop) == kDark &&
             ScreenPixel(kLeft + kToolbarWidth - 1, kTop) == kDark;
    }));
  }
  void TearDown() override {
    MovePointer(600, 450);
    SetButton(false);
    gtk_widget_destroy(GTK_WIDGET(toolbar_));
    gtk_widget_destroy(GTK_WIDGET(backdrop_));
    test::SpinFor(50);
  }
  // The screen's pixels of a button, with its top-left corner on the screen.
  Point ButtonOnScreen(int id) {
    Rect r = ToolbarButtonRect(id, kToolbarWidth, kToolbarHeight);
    Rect window = TopLevelWindows().GetRect(WindowIdOf(toolbar_));
    return {window.left + r.left, window.top + r.top};
  }
  std::vector<PackedRgb> ButtonPixels(int id) {
    Point at = ButtonOnScreen(id);
    return ScreenPixels(at.x, at.y, kToolbarButtonSize, kToolbarButtonSize);
  }

  GtkWindow* backdrop_ = nullptr;
  GtkWidget* toolbar_ = nullptr;
  CToolbarFrame frame_;
  CToolbarButtons buttons_;
  std::vector<int> clicks_;
};

TEST_F(ToolbarSkinTest, FrameIsPaintedAndTheTopCornersAreCutAway) {
  const int right = kLeft + kToolbarWidth - 1, bottom = kTop + kToolbarHeight - 1;
  SaveScreen(kLeft - 8, kTop - 8, kToolbarWidth + 16, kToolbarHeight + 16, "toolbar");
  // Corners: cut at the top (the backdrop shows through), square at the bottom.
  EXPECT_EQ(ScreenPixel(kLeft, kTop), kDark);
  EXPECT_EQ(ScreenPixel(kLeft + 1, kTop + 1), kDark);
  EXPECT_EQ(ScreenPixel(kLeft, kTop + 3), kDark);
  EXPECT_EQ(ScreenPixel(right, kTop), kDark);
  EXPECT_EQ(ScreenPixel(right, kTop + 2), kDark);
  EXPECT_NE(ScreenPixel(kLeft + 3, kTop), kDark);
  EXPECT_NE(ScreenPixel(kLeft, kTop + 4), kDark);
  EXPECT_NE(ScreenPixel(kLeft, bottom), kDark);
  EXPECT_NE(ScreenPixel(right, bottom), kDark);
  // The frame differs from the plain background along the edges.
  EXPECT_NE(ScreenPixel(kLeft + 100, kTop + 1), kToolbarBackColour);
  EXPECT_NE(ScreenPixel(kLeft + 100, bottom), kToolbarBackColour);
  EXPECT_NE(ScreenPixel(kLeft, kTop + 20), kToolbarBackColour);
  // Buttons show their pictures, and the light ones their own background.
  Point about = ButtonOnScreen(1009);
  EXPECT_EQ(ScreenPixel(about.x, about.y), kLightButtonBackColour);
  std::vector<PackedRgb> play = ButtonPixels(1003);
  int ink = 0;
  for (PackedRgb p : play) ink += p != kToolbarBackColour;
  EXPECT_GT(ink, 20);
}

TEST_F(ToolbarSkinTest, HoverShowsTheSamePictureAndAClickRunsTheCommandWithThePictureOffset) {
  CImageButton* next = buttons_.Button(1005);
  Point at = ButtonOnScreen(1005);
  std::vector<PackedRgb> idle = ButtonPixels(1005);
  EXPECT_EQ(idle[0], kToolbarBackColour);

  // The toolbar's buttons have one picture for both states: hovering is tracked (for
  // the tooltip) and the button is drawn again, the same.
  MovePointer(at.x + 9, at.y + 9);
  ASSERT_TRUE(test::SpinUntil([&] { return next->IsHovering(); }));
  test::SpinFor(60);
  EXPECT_EQ(ButtonPixels(1005), idle);

  SetButton(true);
  ASSERT_TRUE(test::SpinUntil([&] { return next->IsPressed(); }));
  // The picture moves from (1, 1) to (2, 2), all 16 x 16 of it, once the pressed
  // button has reached the screen.
  std::vector<PackedRgb> pressed;
  auto moved = [&] {
    int count = 0;
    for (int y = 1; y < 17; ++y) {
      for (int x = 1; x < 17; ++x) count += pressed[(y + 1) * 18 + x + 1] == idle[y * 18 + x];
    }
    return count;
  };
  EXPECT_TRUE(test::SpinUntil([&] {
    pressed = ButtonPixels(1005);
    return moved() == 16 * 16;
  })) << moved();
  EXPECT_EQ(pressed[0], kToolbarBackColour);
  EXPECT_NE(pressed, idle);
  EXPECT_TRUE(clicks_.empty());  // nothing before the release

  SetButton(false);
  ASSERT_TRUE(test::SpinUntil([&] { return !clicks_.empty(); }));
  EXPECT_EQ(clicks_, std::vector<int>{1005});
  ASSERT_TRUE(test::SpinUntil([&] { return ButtonPixels(1005) == idle; }));

  MovePointer(600, 450);
  ASSERT_TRUE(test::SpinUntil([&] { return !next->IsHovering(); }));

  // Pressed and released away from the button: no click.
  MovePointer(at.x + 9, at.y + 9);
  test::SpinUntil([&] { return next->IsHovering(); });
  SetButton(true);
  test::SpinUntil([&] { return next->IsPressed(); });
  MovePointer(600, 450);
  SetButton(false);
  test::SpinFor(150);
  EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(ToolbarSkinTest, TooltipShowsTwoLinesAfterTheCursorRestsAndGoesOnLeaving) {
  CImageButton* next = buttons_.Button(1005);
  Point at = ButtonOnScreen(1005);
  MovePointer(at.x + 8, at.y + 8);
  ASSERT_TRUE(test::SpinUntil([&] { return next->Tooltip().IsShown(); }));
  EXPECT_GE(next->TooltipShownAt() - next->LastRestStart(), kTooltipDelayMs * 1000);
  EXPECT_EQ(next->Tooltip().ShownText(), "Display next image\nShortcut key: Return, Delete");
  // Two lines: taller than the one-line tip of the tools button.
  GtkWidget* twoLines = next->Tooltip().Window();
  test::SpinUntil([&] { return gtk_widget_get_mapped(twoLines); });
  int twoLineHeight = gtk_widget_get_allocated_height(twoLines);
  test::SpinFor(100);  // let it paint before the picture is taken
  SaveScreen(at.x - 150, at.y - 30, 420, 110, "toolbar-tooltip");

  MovePointer(600, 450);
  ASSERT_TRUE(test::SpinUntil([&] { return !next->Tooltip().IsShown(); }));

  CImageButton* tools = buttons_.Button(1006);
  Point toolsAt = ButtonOnScreen(1006);
  MovePointer(toolsAt.x + 8, toolsAt.y + 8);
  ASSERT_TRUE(test::SpinUntil([&] { return tools->Tooltip().IsShown(); }));
  test::SpinUntil([&] { return gtk_widget_get_mapped(tools->Tooltip().Window()); });
  EXPECT_EQ(tools->Tooltip().ShownText(), "Settings and Tools");
  EXPECT_GT(twoLineHeight, gtk_widget_get_allocated_height(tools->Tooltip().Window()) + 8);
  // One line of text is one line tall, not the height of its words stacked.
  EXPECT_LT(gtk_widget_get_allocated_height(tools->Tooltip().Window()), 30);
  EXPECT_LT(twoLineHeight, 50);

  // A tip takes no clicks: where one covers a button, the click reaches the button.
  CTooltipWindow cover;
  cover.ShowAt({"a tip over the next button"}, at.x - 4, at.y - kCursorHeight - 2);
  ASSERT_TRUE(test::SpinUntil([&] { return gtk_widget_get_mapped(cover.Window()); }));
  test::SpinFor(100);
  int tipX = 0, tipY = 0;
  gdk_window_get_origin(gtk_widget_get_window(cover.Window()), &tipX, &tipY);
  ASSERT_LE(tipY, at.y + 9);
  ASSERT_GT(tipY + gtk_widget_get_allocated_height(cover.Window()), at.y + 9);
  ASSERT_LE(tipX, at.x + 9);
  MovePointer(at.x + 9, at.y + 9);
  SetButton(true);
  SetButton(false);
  ASSERT_TRUE(test::SpinUntil([&] { return !clicks_.empty(); }));
  EXPECT_EQ(clicks_, std::vector<int>{1005});
}

TEST_F(ToolbarSkinTest, DisabledButtonLooksTheSameAndNeitherClicksNorShowsItsTip) {
  CImageButton* play = buttons_.Button(1003);
  std::vector<PackedRgb> enabled = ButtonPixels(1003);
  play->SetEnabled(false);
  gtk_widget_queue_draw(play->Widget());
  test::SpinFor(100);
  EXPECT_EQ(ButtonPixels(1003), enabled);
  Point at = ButtonOnScreen(1003);
  MovePointer(at.x + 8, at.y + 8);
  SetButton(true);
  SetButton(false);
  test::SpinFor(500);
  EXPECT_TRUE(clicks_.empty());
  EXPECT_FALSE(play->Tooltip().IsShown());

  play->SetEnabled(true);
  MovePointer(600, 450);
  test::SpinFor(50);
  MovePointer(at.x + 8, at.y + 8);
  SetButton(true);
  SetButton(false);
  ASSERT_TRUE(test::SpinUntil([&] { return !clicks_.empty(); }));
  EXPECT_EQ(clicks_[0], 1003);
}

TEST_F(ToolbarSkinTest, DraggingTheTopRowsMovesTheToolbarByTheCursorsOffset) {
  WindowId id = WindowIdOf(toolbar_);
  // Below row 7, between two buttons: no drag.
  MovePointer(kLeft + 148, kTop + 15);
  SetButton(true);
  MovePointer(kLeft + 248, kTop + 115);
  SetButton(false);
  test::SpinFor(150);
  EXPECT_EQ(TopLevelWindows().GetRect(id).left, kLeft);
  EXPECT_EQ(TopLevelWindows().GetRect(id).top, kTop);

  // Row 3: the window follows, and ends exactly the cursor's offset away.
  MovePointer(kLeft + 60, kTop + 3);
  test::SpinFor(50);
  SetButton(true);
  ASSERT_TRUE(test::SpinUntil([&] { return frame_.IsDragging(); }));
  MovePointer(kLeft + 160, kTop + 103);
  test::SpinFor(50);
  MovePointer(kLeft + 260, kTop + 153);
  test::SpinFor(50);
  SetButton(false);
  ASSERT_TRUE(test::SpinUntil([&] { return !frame_.IsDragging(); }));
  Rect moved = TopLevelWindows().GetRect(id);
  EXPECT_EQ(moved.left, kLeft + 200);
  EXPECT_EQ(moved.top, kTop + 150);
  EXPECT_EQ(moved.Width(), kToolbarWidth);
  // X agrees: the toolbar's background shows at its new place.
  ASSERT_TRUE(test::SpinUntil([&] {
    return ScreenPixel(moved.left + 100, moved.top + 20) == kToolbarBackColour;
  }));
  EXPECT_EQ(ScreenPixel(kLeft + 100, kTop + 20), kDark);
}

}  // namespace
}  // namespace kov

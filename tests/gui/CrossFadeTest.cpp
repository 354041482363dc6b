// The slide show's cross-fade in the running viewer, on a clock the test sets: half
// way through, the screen shows both pictures mixed, the show steps on its own ticks
// whatever the fade is doing, and X switches the fade off and on again.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "base/TextEscape.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }

TEST(CrossFade, HalfWayTheScreenMixesBothPicturesAndTheShowKeepsItsTicks) {
  TempTree tree;
  std::string folder = tree.Folder("Pictures/A");
  // Each picture fills the 1280 x 1024 screen: red, then blue.
  ASSERT_TRUE(AddPictureWithThumbnail(folder + "/1.png", 0xff0000, 1280, 1024));
  ASSERT_TRUE(AddPictureWithThumbnail(folder + "/2.png", 0x0000ff, 1280, 1024));
  ViewerRun run(tree.Folder("Pictures"));
  ASSERT_TRUE(run.WaitForTrace("painted thumbs kovp://thumblst/"));
  CToolbarDlg& toolbar = run.main().toolbar();
  CViewer& viewer = run.main().viewer();
  ASSERT_TRUE(SpinUntil([&] { return toolbar.IsVisible() && viewer.viewing() != nullptr; }));
  CCrossFade& fade = viewer.viewing()->crossFade();
  int64_t now = 1000000;
  fade.SetClock([&now] { return now; });
  CBrowserPane& picture = run.main().imageView().page();
  auto painted = [&](const char* name, int times) {
    std::string url = ImageUrl(folder + "/" + name);
    return SpinUntil([&] { return picture.GetLocationUrl() == url; }) &&
           run.WaitForTrace("painted image " + url, times);
  };

  // T starts the show (every 20 s, so only the test's own ticks step it) at the first
  // picture; once painted, the show keeps a snapshot of it.
  PressKey(XK_t);
  ASSERT_TRUE(painted("1.png", 1));
  ASSERT_TRUE(SpinUntil([&] { return fade.HasSnapshot(); }));

  viewer.OnTimer(CViewer::kShowTimerId);
  ASSERT_TRUE(painted("2.png", 1));
  ASSERT_TRUE(run.WaitForTrace("fade begins"));
  now += CCrossFade::kFadeUs / 2;
  // The screen is read after each frame the half-way cover draws: on a busy machine
  // the engine can show the next picture a frame or two after it reports it painted.
  // Red alone is a cover at full strength or a page not changed, blue alone no cover.
  GtkWidget* window = GTK_WIDGET(run.main().imageView().window());
  int drawn = fade.DrawCount() + 1;
  long mixed = -1;
  auto halfWay = [&] {
    if (fade.DrawCount() <= drawn) return false;
    drawn = fade.DrawCount();
    mixed = PixelAt(window, 640, 512);
    const long red = (mixed >> 16) & 0xff, green = (mixed >> 8) & 0xff, blue = mixed & 0xff;
    return mixed >= 0 && red > 80 && red < 175 && blue > 80 && blue < 175 && green < 40;
  };
  EXPECT_TRUE(SpinUntil(halfWay)) << std::hex << mixed;
  SaveScreenshot(window, "cross-fade-half-way");

  // The fade holds nothing back: the next tick steps at once, the fade still half way.
  viewer.OnTimer(CViewer::kShowTimerId);
  ASSERT_TRUE(painted("1.png", 2));
  EXPECT_TRUE(viewer.slideShow().IsRunning());
  now += CCrossFade::kFadeUs;
  EXPECT_TRUE(run.WaitForTrace("fade ends"));

  // X switches the fade off, remembered: the next step is a plain cut. X again
  // switches it on, and the very next step fades from the picture then shown.
  PressKey(XK_x);
  ASSERT_TRUE(run.WaitForCommand(kCmdToggleCrossFade));
  EXPECT_EQ(run.settings()["crossfade"], "0");
  EXPECT_FALSE(fade.HasSnapshot());
  const int fades = run.CountTrace("fade begins");
  viewer.OnTimer(CViewer::kShowTimerId);
  ASSERT_TRUE(painted("2.png", 2));
  EXPECT_EQ(run.CountTrace("fade begins"), fades);
  EXPECT_EQ(fade.Strength(), 0);
  PressKey(XK_x);
  ASSERT_TRUE(run.WaitForCommand(kCmdToggleCrossFade, 2));
  EXPECT_EQ(run.settings()["crossfade"], "1");
  ASSERT_TRUE(SpinUntil([&] { return fade.HasSnapshot(); }));
  viewer.OnTimer(CViewer::kShowTimerId);
  ASSERT_TRUE(painted("1.png", 3));
  EXPECT_TRUE(run.WaitForTrace("fade begins", fades + 1));
  PressKey(XK_Escape);
}

}  // namespace
}  // namespace test
}  // namespace kov

// The slide show's cross-fade in the running viewer, on a clock the test sets: half
// way through, the screen shows both pictures mixed, and the show steps on its own
// ticks whatever the fade is doing.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "base/TextEscape.h"
#include "pages/BridgeState.h"
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
  ASSERT_TRUE(SpinUntil([&] { return toolbar.IsVisible() && toolbar.viewing() != nullptr; }));
  CCrossFade& fade = toolbar.viewing()->crossFade();
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

  toolbar.OnTimer(CToolbarDlg::kShowTimerId);
  ASSERT_TRUE(painted("2.png", 1));
  ASSERT_TRUE(run.WaitForTrace("fade begins"));
  now += CCrossFade::kFadeUs / 2;
  const int drawn = fade.DrawCount();
  ASSERT_TRUE(SpinUntil([&] { return fade.DrawCount() >= drawn + 2; }));
  GtkWidget* window = GTK_WIDGET(run.main().imageView().window());
  long mixed = PixelAt(window, 640, 512);
  SaveScreenshot(window, "cross-fade-half-way");
  ASSERT_GE(mixed, 0);
  const long red = (mixed >> 16) & 0xff, green = (mixed >> 8) & 0xff, blue = mixed & 0xff;
  EXPECT_TRUE(red > 80 && red < 175 && blue > 80 && blue < 175 && green < 40) << std::hex << mixed;

  // The fade holds nothing back: the next tick steps at once, the fade still half way.
  toolbar.OnTimer(CToolbarDlg::kShowTimerId);
  ASSERT_TRUE(painted("1.png", 2));
  EXPECT_TRUE(toolbar.slideShow().IsRunning());
  now += CCrossFade::kFadeUs;
  EXPECT_TRUE(run.WaitForTrace("fade ends"));
  PressKey(XK_Escape);
}

}  // namespace
}  // namespace test
}  // namespace kov

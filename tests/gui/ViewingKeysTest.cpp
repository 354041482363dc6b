// The picture view's own keys in the running viewer: stepping that keeps the
// direction, first and last, back to the thumbnails, zoom measured in the page, a
// quarter turn, the caption and the music switch with their settings.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "base/TextEscape.h"
#include "res/CommandIds.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }

// Pictures/F: 1.png stands 200 x 400, 2.png is larger than the screen, 3 to 5 are small.
class ViewingKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tree_.Folder("Pictures/F");
    ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/1.png", 0x3060c0, 200, 400));
    ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/2.png", 0xc06030, 2400, 1800));
    for (const char* name : {"3.png", "4.png", "5.png"})
      ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/" + name, 0x30c060));
    run_ = std::make_unique<ViewerRun>(tree_.Folder("Pictures"));
    ASSERT_TRUE(run_->WaitForTrace("painted thumbs kovp://thumblst/"));
    ASSERT_TRUE(SpinUntil([&] { return viewer().thumbnailCount() == 5; }));
    ASSERT_TRUE(run_->WaitUntilKeysReachViewer());
    int x = 0, y = 0;
    ASSERT_TRUE(FirstPictureCentre(&run_->main().thumbList().page(), &x, &y));
    ClickAt(x, y, 1);
    ASSERT_TRUE(WaitForPicture("1.png", 0));
  }

  CToolbarDlg& toolbar() { return run_->main().toolbar(); }
  CViewer& viewer() { return run_->main().viewer(); }
  CBrowserPane* picturePage() { return &run_->main().imageView().page(); }
  std::string PaintedLine(const std::string& name) { return "painted image " + ImageUrl(folder_ + "/" + name); }
  // How often the picture page of name has been painted so far.
  int Paints(const std::string& name) { return run_->CountTrace(PaintedLine(name)); }
  // Waits until the picture page of name has been painted once more than paintsBefore
  // times, its view script run: a key pressed before then could reach a page still
  // loading, whose script is not there yet.
  bool WaitForPicture(const std::string& name, int paintsBefore) {
    return run_->WaitForTrace(PaintedLine(name), paintsBefore + 1) &&
           picturePage()->GetLocationUrl() == ImageUrl(folder_ + "/" + name);
  }
  void PressWithCtrl(unsigned keysym) {
    HoldKey(XK_Control_L, true);
    PressKey(keysym);
    HoldKey(XK_Control_L, false);
  }
  // The picture's size on the screen, as "width x height".
  std::string ShownSize() {
    std::string json = ReadJson(picturePage(), "kovShownSize()");
    int width = 0, height = 0;
    if (std::sscanf(json.c_str(), "{\"width\":%d,\"height\":%d}", &width, &height) != 2) return json;
    return std::to_string(width) + " x " + std::to_string(height);
  }
  // The same once the statement a key ran has been given to the page.
  std::string ShownSizeAfter(const std::string& statement) {
    if (!run_->WaitForTrace("script image " + statement)) return "statement not run: " + statement;
    return ShownSize();
  }

  TempTree tree_;
  std::string folder_;
  std::unique_ptr<ViewerRun> run_;
};

TEST_F(ViewingKeysTest, StepKeysLandOnTheirPictureAndLeaveTheDirection) {
  struct Step {
    unsigned keysym;
    const char* lands;  // "" for the thumbnails
  };
  const Step steps[] = {{XK_Right, "2.png"}, {XK_Left, "1.png"},      {XK_End, "5.png"},
                        {XK_Home, "1.png"},  {XK_Next, "2.png"},      {XK_Prior, "1.png"},
                        {XK_Left, "5.png"},  {XK_Return, "1.png"},  // forward still, on from 5.png
                        {XK_BackSpace, ""}};
  for (const Step& step : steps) {
    const int paints = step.lands[0] != '\0' ? Paints(step.lands) : 0;
    PressKey(step.keysym);
    if (step.lands[0] != '\0') {
      ASSERT_TRUE(WaitForPicture(step.lands, paints)) << step.lands;
    } else {
      ASSERT_TRUE(SpinUntil([&] { return viewer().GetFrontPane() == FrontPane::kThumbnails; }));
    }
  }
  EXPECT_EQ(viewer().slideShow().Direction(), SlideDirection::kForward);
  // In the list the same keys are the page's: no picture command is posted.
  const int pictureCommands = run_->CountCommand(kCmdPanOrNextPicture);
  PressKey(XK_Right);
  HandleGivenInput();
  EXPECT_EQ(run_->CountCommand(kCmdPanOrNextPicture), pictureCommands);
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kThumbnails);
}

TEST_F(ViewingKeysTest, ZoomTurnCaptionAndMusicSwitch) {
  // A picture standing 200 x 400 lies wide after a turn to the right.
  const std::string standing = ShownSize();
  EXPECT_EQ(standing, "200 x 400");
  PressKey(XK_bracketright);
  EXPECT_EQ(ShownSizeAfter("kovRotate(1);"), "400 x 200");

  // A zoom step enlarges the fitted picture; fitting gives the first size back.
  PressKey(XK_Right);
  ASSERT_TRUE(WaitForPicture("2.png", 0));
  const std::string fitted = ShownSize();
  EXPECT_EQ(fitted, "1280 x 960");
  PressWithCtrl(XK_equal);
  std::string zoomed = ShownSizeAfter("kovZoom(1);");
  EXPECT_EQ(zoomed, "1600 x 1200");
  PressWithCtrl(XK_0);
  EXPECT_EQ(ShownSizeAfter("kovFit();"), fitted);

  // The caption names the picture and its place, and is remembered.
  PressKey(XK_i);
  ASSERT_TRUE(run_->WaitForTrace("script image kovCaption("));
  std::string caption = ReadJson(picturePage(), "[document.getElementById('kovcaption').textContent,"
                                                "getComputedStyle(document.getElementById('kovcaption')).display]");
  EXPECT_NE(caption.find("2.png \xc2\xb7 2 of 5 \xc2\xb7 "), std::string::npos) << caption;
  EXPECT_NE(caption.find("\"block\""), std::string::npos) << caption;
  EXPECT_EQ(run_->settings()["caption"], "1");

  // M stops the music element of the information page and stores the switch. That
  // page is loaded only after the first view has been drawn.
  ASSERT_TRUE(run_->WaitForTrace("loaded info kovp://background/"));
  CBrowserPane* info = &run_->main().info().page();
  EXPECT_EQ(ReadJson(info, "bgsd.muted"), "false");
  PressKey(XK_m);
  ASSERT_TRUE(run_->WaitForTrace("script info bgsd.autoplay=false"));
  EXPECT_EQ(ReadJson(info, "bgsd.paused && bgsd.muted && !bgsd.autoplay"), "true");
  EXPECT_EQ(run_->settings()["mute"], "1");
}

}  // namespace
}  // namespace test
}  // namespace kov

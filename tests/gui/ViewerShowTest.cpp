// The slide show and the toolbar's layout buttons in the running viewer: keys and
// buttons start, turn, reverse and stop the show, the show's timer steps the pictures,
// the buttons' bitmaps follow, and the minimised layout disables what it must.
// The show's timer is ticked through the toolbar's own timer callback, so the tests
// need not wait for its interval (one test lets the real 1 s timer run once).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/logic/SlideShow.h"
#include "base/TextEscape.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }

// Pictures/A and Pictures/B, two pictures each: the walk is A/1, A/2, B/1, B/2.
class ViewerShowTest : public ::testing::Test {
 protected:
  void MakeTree(const std::vector<std::string>& pictures) {
    pictures_ = tree_.Folder("Pictures");
    unsigned colour = 0x305090;
    for (const std::string& picture : pictures) {
      tree_.Folder("Pictures/" + picture.substr(0, picture.rfind('/')));
      ASSERT_TRUE(AddPictureWithThumbnail(pictures_ + "/" + picture, colour += 0x202010));
    }
  }

  void Start() {
    run_ = std::make_unique<ViewerRun>(pictures_);
    ASSERT_TRUE(run_->WaitForTrace("painted thumbs kovp://thumblst/"));
    // The list has reported its count (the Quit button's tooltip over a picture
    // depends on it), the toolbar is laid out and the keys reach the viewer.
    ASSERT_TRUE(SpinUntil([&] { return viewer().thumbnailCount() > 0; }));
    ASSERT_TRUE(WaitUntilLayerInPlace(toolbar().window()));
    ASSERT_TRUE(run_->WaitUntilKeysReachViewer());
  }

  CToolbarDlg& toolbar() { return run_->main().toolbar(); }
  CViewer& viewer() { return run_->main().viewer(); }
  BitmapId Bitmap(int buttonId) { return toolbar().imageButton(buttonId)->NormalBitmapId(); }
  std::string Tooltip(int buttonId) { return toolbar().imageButton(buttonId)->TooltipText(); }
  std::string ImageLocation() { return run_->main().imageView().page().GetLocationUrl(); }
  bool WaitForPicture(const std::string& relative) {
    return SpinUntil([&] { return ImageLocation() == ImageUrl(pictures_ + "/" + relative); });
  }
  // An enabled button is clicked once it hovers, a disabled one (which never hovers)
  // where it stands.
  void ClickButton(int id) {
    int x = 0, y = 0;
    ASSERT_TRUE(ButtonCentre(toolbar(), id, &x, &y));
    if (toolbar().imageButton(id)->IsEnabled())
      ASSERT_TRUE(ClickToolbarButton(toolbar(), id)) << DescribeClick(id, x, y);
    else
      ClickAt(x, y, 1);
    clicks_ += DescribeClick(id, x, y);
  }
  // Where a click went, for a failed test to show: the toolbar's place on the X screen
  // against its record, and the window under the pointer.
  std::string DescribeClick(int id, int x, int y) {
    GdkWindow* bar = gtk_widget_get_window(GTK_WIDGET(toolbar().window()));
    int bx = 0, by = 0;
    if (bar != nullptr) gdk_window_get_origin(bar, &bx, &by);
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    int wx = 0, wy = 0;
    GdkWindow* under = gdk_device_get_window_at_position(gdk_seat_get_pointer(seat), &wx, &wy);
    GdkWindow* top = under != nullptr ? gdk_window_get_toplevel(under) : nullptr;
    gpointer widget = nullptr;
    if (top != nullptr) gdk_window_get_user_data(top, &widget);
    Rect record = ToolbarRect();
    return "click " + std::to_string(id) + " at " + std::to_string(x) + "," + std::to_string(y) +
           ": toolbar on X at " + std::to_string(bx) + "," + std::to_string(by) + ", in the record at " +
           std::to_string(record.left) + "," + std::to_string(record.top) + "; under the pointer: " +
           (widget == nullptr ? std::string("no window of ours")
                              : widget == toolbar().window() ? std::string("the toolbar")
                                                              : G_OBJECT_TYPE_NAME(widget) + std::string(" ") +
                                                                    std::to_string(WindowIdOf(GTK_WIDGET(widget)))) +
           "\n";
  }
  void TearDown() override {
    if (HasFailure()) std::fprintf(stderr, "%s", clicks_.c_str());
  }
  void Tick() { viewer().OnTimer(CViewer::kShowTimerId); }
  Rect InfoRect() { return TopLevelWindows().GetRect(WindowIdOf(run_->main().info().window())); }
  Rect ToolbarRect() { return TopLevelWindows().GetRect(WindowIdOf(toolbar().window())); }
  // The size of the viewer's window as X has made it.
  std::pair<int, int> ContentSize() {
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(run_->main().viewerWindow().window()));
    return window ? std::make_pair(gdk_window_get_width(window), gdk_window_get_height(window)) : std::make_pair(0, 0);
  }

  TempTree tree_;
  std::string clicks_;
  std::string pictures_;
  std::unique_ptr<ViewerRun> run_;
};

TEST_F(ViewerShowTest, KeysAndButtonsStartTurnReverseAndStopTheShow) {
  MakeTree({"A/1.png", "A/2.png", "B/1.png", "B/2.png"});
  Start();
  // The pointer rests on the toolbar for the whole test: the keys still reach the
  // command table while it is there.
  int x = 0, y = 0;
  ASSERT_TRUE(ButtonCentre(toolbar(), kBtnNext, &x, &y));
  MovePointerTo(x, y);
  ASSERT_TRUE(SpinUntil([&] { return toolbar().imageButton(kBtnNext)->IsHovering(); }));

  // 'T' starts the show at 20 s and shows a picture at once; Space stops it and
  // starts it again, stepping at once.
  PressKey(XK_t);
  ASSERT_TRUE(WaitForPicture("A/1.png"));
  EXPECT_EQ(viewer().slideShow().IntervalSeconds(), 20);
  EXPECT_EQ(Bitmap(kBtnSlideShow), BitmapId::kPause);
  EXPECT_EQ(Tooltip(kBtnQuitOrBack), LoadString(StringId::kTipBackToThumbnails));  // back to the thumbnails
  PressKey(XK_space);
  ASSERT_TRUE(run_->WaitForCommand(kCmdToggleSlideShow));
  EXPECT_FALSE(viewer().slideShow().IsRunning());
  EXPECT_EQ(Bitmap(kBtnSlideShow), BitmapId::kPlay);
  PressKey(XK_space);
  ASSERT_TRUE(WaitForPicture("A/2.png"));
  EXPECT_TRUE(viewer().slideShow().IsRunning());
  EXPECT_EQ(Bitmap(kBtnSlideShow), BitmapId::kPause);

  // A tick steps forward, into the next folder.
  Tick();
  ASSERT_TRUE(WaitForPicture("B/1.png"));
  EXPECT_EQ(run_->CountTrace("timer 1001"), 1);

  // Previous during the show shows the previous picture and turns the show.
  ClickButton(kBtnPrevious);
  ASSERT_TRUE(WaitForPicture("A/2.png"));
  EXPECT_EQ(Bitmap(kBtnPrevious), BitmapId::kPreviousBackward);
  EXPECT_EQ(Bitmap(kBtnNext), BitmapId::kNextBackward);
  EXPECT_TRUE(viewer().slideShow().IsRunning());
  Tick();
  ASSERT_TRUE(WaitForPicture("A/1.png"));

  // Delete only reverses: no picture moves until the next tick, which goes forward.
  const int navigations = run_->CountTrace("navigate image ");
  PressKey(XK_Delete);
  ASSERT_TRUE(run_->WaitForCommand(kCmdReverseDirection));
  ASSERT_TRUE(run_->DrainCommands());
  EXPECT_EQ(run_->CountTrace("navigate image "), navigations);
  EXPECT_EQ(Bitmap(kBtnPrevious), BitmapId::kPreviousForward);
  EXPECT_EQ(Bitmap(kBtnNext), BitmapId::kNextForward);
  Tick();
  ASSERT_TRUE(WaitForPicture("A/2.png"));

  // Escape stops the show and leaves the picture; a second Escape goes back.
  PressKey(XK_Escape);
  ASSERT_TRUE(run_->WaitForCommand(kCmdEscape));
  EXPECT_FALSE(viewer().slideShow().IsRunning());
  EXPECT_EQ(Bitmap(kBtnSlideShow), BitmapId::kPlay);
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kImage);
  // A stopped show ignores a late tick: no navigation, the picture stays. (The
  // engine's address can go back for a moment while a cancelled load ends, so the
  // picture is waited for rather than read once.)
  const int navigationsAfterStop = run_->CountTrace("navigate image ");
  Tick();
  ASSERT_TRUE(run_->DrainCommands());
  EXPECT_EQ(run_->CountTrace("navigate image "), navigationsAfterStop);
  EXPECT_TRUE(WaitForPicture("A/2.png"));
  PressKey(XK_Escape);
  ASSERT_TRUE(SpinUntil([&] { return viewer().GetFrontPane() == FrontPane::kThumbnails; }));
  EXPECT_EQ(Tooltip(kBtnQuitOrBack), LoadString(StringId::kTipQuit));
}

// Shift+Space shows the pictures of every folder in random order: each once in a
// round, and the next round does not begin with the picture that ended this one.
TEST_F(ViewerShowTest, ShiftSpaceShowsEveryPictureOnceARoundInRandomOrder) {
  const std::vector<std::string> all = {"A/1.png", "A/2.png", "B/1.png", "B/2.png", "B/C/1.png"};
  MakeTree(all);
  Start();
  // T runs the show in order every 20 s, so no tick of its own comes during the test;
  // Shift+Space turns it random at that speed.
  PressKey(XK_t);
  ASSERT_TRUE(WaitForPicture("A/1.png"));
  const std::string navigation = "navigate image kovp://image/";
  const int before = run_->CountTrace(navigation);
  HoldKey(XK_Shift_L, true);
  PressKey(XK_space);
  HoldKey(XK_Shift_L, false);
  ASSERT_TRUE(run_->WaitForCommand(kCmdShuffledSlideShow));
  std::vector<std::string> shown;
  const size_t rounds = 3;
  for (size_t step = 0; step < rounds * all.size(); ++step) {
    if (step > 0) Tick();
    // Each step navigates once; its picture is the address it navigated to.
    ASSERT_TRUE(run_->WaitForTrace(navigation, before + static_cast<int>(step) + 1)) << step;
    std::string url;
    for (const std::string& line : run_->Trace())
      if (line.compare(0, navigation.size(), navigation) == 0) url = line.substr(15);
    for (const std::string& picture : all)
      if (url == ImageUrl(pictures_ + "/" + picture)) shown.push_back(picture);
    ASSERT_EQ(shown.size(), step + 1) << "not a picture of the tree: " << url;
  }
  size_t inWalkOrder = 0;  // steps to the picture that follows in the walk
  for (size_t round = 0; round < rounds; ++round) {
    std::vector<std::string> seen(shown.begin() + round * all.size(), shown.begin() + (round + 1) * all.size());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, all) << "round " << round;
    if (round > 0) {
      EXPECT_NE(shown[round * all.size()], shown[round * all.size() - 1]) << "round " << round;
    }
  }
  for (size_t i = 1; i < shown.size(); ++i) {
    size_t at = std::find(all.begin(), all.end(), shown[i - 1]) - all.begin();
    if (shown[i] == all[(at + 1) % all.size()]) ++inWalkOrder;
  }
  EXPECT_LT(inWalkOrder, shown.size() - 1) << "the pictures came in walk order";
  EXPECT_TRUE(viewer().slideShow().IsShuffled());
  EXPECT_EQ(viewer().slideShow().IntervalSeconds(), 20);
  // Space stops it, and Return then walks on in order from the picture shown.
  PressKey(XK_space);
  ASSERT_TRUE(SpinUntil([&] { return !viewer().slideShow().IsRunning(); }));
  const std::string last = shown.back();
  const size_t at = std::find(all.begin(), all.end(), last) - all.begin();
  PressKey(XK_Return);
  ASSERT_TRUE(WaitForPicture(all[(at + 1) % all.size()])) << "after " << last;
}

TEST_F(ViewerShowTest, ASinglePictureTreeShowsTheSamePictureOnEveryTick) {
  MakeTree({"only/1.png"});
  Start();
  PressKey(XK_space);
  ASSERT_TRUE(WaitForPicture("only/1.png"));
  const std::string navigation = "navigate image " + ImageUrl(pictures_ + "/only/1.png");
  EXPECT_EQ(run_->CountTrace(navigation), 1);
  Tick();
  ASSERT_TRUE(run_->WaitForTrace(navigation, 2));
  Tick();
  ASSERT_TRUE(run_->WaitForTrace(navigation, 3));
  EXPECT_TRUE(viewer().slideShow().IsRunning());
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kImage);
}

TEST_F(ViewerShowTest, SpeedKeyStepsAtOnceAndMinimisingStopsAndDisables) {
  MakeTree({"A/1.png", "A/2.png", "A/3.png"});
  Start();
  const Rect screen = GetScreenRect();
  // The skinned toolbar at its home position, with its real size.
  EXPECT_EQ(gtk_widget_get_allocated_width(GTK_WIDGET(toolbar().window())), 215);
  EXPECT_EQ(gtk_widget_get_allocated_height(GTK_WIDGET(toolbar().window())), 28);
  EXPECT_EQ(ToolbarRect().left, screen.right - 215 - 17 - 2);
  EXPECT_EQ(ToolbarRect().top, screen.bottom - 28 - 32);

  // '1' while stopped starts at 1 s with a picture at once; the real timer brings the next.
  PressKey(XK_1);
  ASSERT_TRUE(WaitForPicture("A/1.png"));
  EXPECT_EQ(viewer().slideShow().IntervalSeconds(), 1);
  ASSERT_TRUE(WaitForPicture("A/2.png"));
  EXPECT_GE(run_->CountTrace("timer 1001"), 1);

  // Minimise: the show stops, the seven buttons are disabled, 1011 offers restore.
  ClickButton(kBtnMinimize);
  ASSERT_TRUE(run_->WaitForCommand(kBtnMinimize));
  EXPECT_FALSE(viewer().slideShow().IsRunning());
  EXPECT_EQ(Bitmap(kBtnSlideShow), BitmapId::kPlay);
  EXPECT_LE(InfoRect().Width(), 11);
  // The window holds the toolbar alone.
  EXPECT_TRUE(SpinUntil([&] { return ContentSize() == std::make_pair(215, 28); }));
  for (int id : {kBtnSlideShow, kBtnPrevious, kBtnNext, kBtnTools, kBtnOpenFolder, kBtnAbout, kBtnPhotoCd})
    EXPECT_FALSE(toolbar().imageButton(id)->IsEnabled()) << id;
  for (int id : {kBtnQuitOrBack, kBtnMinimize, kBtnMaximize})
    EXPECT_TRUE(toolbar().imageButton(id)->IsEnabled()) << id;
  EXPECT_EQ(Bitmap(kBtnMinimize), BitmapId::kRestore);
  EXPECT_EQ(Tooltip(kBtnMinimize), LoadString(StringId::kTipRestore));
  EXPECT_EQ(Bitmap(kBtnMaximize), BitmapId::kMaximize);
  // A disabled button takes no click.
  ClickButton(kBtnSlideShow);
  HandleGivenInput();
  ASSERT_TRUE(run_->DrainCommands());
  EXPECT_EQ(run_->CountCommand(kBtnSlideShow), 0);

  // Minimise again restores the inset layout, not the full screen.
  ClickButton(kBtnMinimize);
  ASSERT_TRUE(run_->WaitForCommand(kBtnMinimize, 2));
  const int d = screen.Width() / 10;
  ASSERT_TRUE(SpinUntil([&] { return ContentSize() == std::make_pair(screen.Width() - 2 * d, screen.Height() - 2 * d); }));
  GdkRectangle frame;
  gdk_window_get_frame_extents(gtk_widget_get_window(GTK_WIDGET(run_->main().viewerWindow().window())), &frame);
  EXPECT_EQ(frame.x, d);
  EXPECT_EQ(frame.y, d);
  ASSERT_TRUE(SpinUntil([&] { return InfoRect().Width() == screen.Width() - 2 * d; }));
  Rect info = InfoRect();  // the panes fill the window
  EXPECT_EQ(info.left, 0);
  EXPECT_EQ(info.top, 0);
  EXPECT_EQ(info.right, screen.right - 2 * d);
  EXPECT_EQ(info.bottom, screen.bottom - 2 * d);
  EXPECT_EQ(ToolbarRect().left, info.right - 17 - 2 - 215);
  EXPECT_EQ(ToolbarRect().top, info.bottom - 17 - 2 - 28);
  EXPECT_TRUE(toolbar().imageButton(kBtnSlideShow)->IsEnabled());
  EXPECT_EQ(Bitmap(kBtnMinimize), BitmapId::kMinimize);
  EXPECT_EQ(Bitmap(kBtnMaximize), BitmapId::kMaximize);
  EXPECT_EQ(Tooltip(kBtnMaximize), LoadString(StringId::kTipMaximize));

  // A change of the screen (as a new resolution reports it) brings the full screen
  // back, as Maximise does.
  g_signal_emit_by_name(gtk_widget_get_screen(GTK_WIDGET(toolbar().window())), "size-changed");
  ASSERT_TRUE(run_->WaitForCommand(kCmdDisplayChanged));
  EXPECT_TRUE(SpinUntil([&] { return ContentSize() == std::make_pair(screen.Width(), screen.Height()); }));
  EXPECT_TRUE(SpinUntil([&] { return InfoRect().Width() == screen.Width(); }));
  EXPECT_EQ(Bitmap(kBtnMaximize), BitmapId::kRestore);
  EXPECT_EQ(Tooltip(kBtnMaximize), LoadString(StringId::kTipRestore));

  // Minimise, then the Maximise button brings the full screen back.
  ClickButton(kBtnMinimize);
  ASSERT_TRUE(run_->WaitForCommand(kBtnMinimize, 3));
  ASSERT_TRUE(SpinUntil([&] { return ContentSize() == std::make_pair(215, 28); }));
  ClickButton(kBtnMaximize);
  ASSERT_TRUE(run_->WaitForCommand(kBtnMaximize));
  EXPECT_EQ(InfoRect().Width(), screen.Width());
  EXPECT_EQ(Bitmap(kBtnMaximize), BitmapId::kRestore);
}

// Without a window manager a tick raises a pane over everything: with a modal dialog
// holding the input (print, a question, a file chooser) the show stops instead of
// burying it. The folder tree in the middle of the screen is the front pane.
TEST_F(ViewerShowTest, AModalDialogStopsTheShowAndTheTreeCanBeInFront) {
  MakeTree({"A/1.png", "A/2.png"});
  Start();
  PressKey(XK_t);
  ASSERT_TRUE(WaitForPicture("A/1.png"));
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                             GTK_BUTTONS_YES_NO, "a question");
  gtk_widget_show(dialog);
  const int navigations = run_->CountTrace("navigate image ");
  Tick();
  EXPECT_FALSE(viewer().slideShow().IsRunning());
  EXPECT_EQ(run_->CountTrace("navigate image "), navigations);
  gtk_widget_destroy(dialog);
  // Under a window manager the question took the focus; F2 reaches the viewer only once
  // its window is active again.
  GtkWindow* window = run_->main().viewerWindow().window();
  ASSERT_TRUE(SpinUntil([&] { return gtk_window_is_active(window); }));

  PressKey(XK_F2);
  CFolderTreeDlg& tree = run_->main().folderTree();
  ASSERT_TRUE(SpinUntil([&] { return gtk_widget_get_visible(tree.window()); }));
  const Rect screen = GetScreenRect();
  tree.ShowAt(screen.Width() / 2 - CFolderTreeDlg::kWidth / 2, screen.Height() / 2 - CFolderTreeDlg::kHeight / 2);
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kFolderTree);
  tree.OnCancel();
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kImage);
}

}  // namespace
}  // namespace test
}  // namespace kov

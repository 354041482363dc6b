// The viewer as a person uses it, on a temporary picture tree whose caches are made
// with kovtool: start-up, a click on a thumbnail, Escape, Return across folders and
// their music, the folder tree, the empty tree and the ways out.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/logic/PageStatements.h"
#include "base/TextEscape.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

const char kListNavigation[] = "navigate thumbs kovp://thumblst/";

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }

// Pictures/A (two pictures and its own music), Pictures/B and Pictures/C (two
// pictures each, the built-in music).
class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pictures_ = tree_.Folder("Pictures");
    for (const char* folder : {"A", "B", "C"}) {
      std::string path = tree_.Folder(std::string("Pictures/") + folder);
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/1.png", 0x3060c0));
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/2.png", 0xc06030));
    }
    ASSERT_TRUE(g_file_set_contents((pictures_ + "/A/kovbgsnd.mid").c_str(), "MThd", 4, nullptr));
  }

  // Starts the viewer and waits for the first thumbnail page.
  void Start() {
    run_ = std::make_unique<ViewerRun>(pictures_);
    ASSERT_TRUE(run_->WaitForTrace("painted thumbs kovp://thumblst/"));
    ASSERT_TRUE(SpinUntil([&] { return viewer().thumbnailCount() == 2; }));
    ASSERT_TRUE(run_->WaitUntilKeysReachViewer());
  }

  CToolbarDlg& toolbar() { return run_->main().toolbar(); }
  CViewer& viewer() { return run_->main().viewer(); }
  std::string ImageLocation() { return run_->main().imageView().page().GetLocationUrl(); }

  TempTree tree_;
  std::string pictures_;
  std::unique_ptr<ViewerRun> run_;
};

TEST_F(ViewerTest, StartsOnThumbnailsClickShowsPictureEscapeReturnsWithoutReload) {
  Start();
  EXPECT_EQ(run_->CountTrace(kListNavigation), 1);
  EXPECT_EQ(run_->CountCommand(kCmdFirstShow), 1);
  // The one web process makes the list page first: before it only the list pane's start
  // page is asked for, and the background page (with its music) once it is drawn.
  ASSERT_TRUE(run_->WaitForTrace("navigate info kovp://background/"));
  const std::vector<std::string> trace = run_->Trace();
  auto first = [&trace](const std::string& prefix) {
    return std::find_if(trace.begin(), trace.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }) -
           trace.begin();
  };
  std::vector<std::string> before;
  for (auto i = 0; i < first(kListNavigation); ++i)
    if (trace[i].rfind("navigate ", 0) == 0) before.push_back(trace[i]);
  EXPECT_EQ(before, std::vector<std::string>{"navigate thumbs kovp://blank/"});
  EXPECT_GT(first("navigate info kovp://background/"), first("painted thumbs kovp://thumblst/"));
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kThumbnails);
  EXPECT_TRUE(toolbar().IsVisible());
  ASSERT_TRUE(WaitUntilLayerInPlace(toolbar().window()));
  EXPECT_FALSE(SaveScreenshot(GTK_WIDGET(run_->main().thumbList().window()), "viewer-thumbnails").empty());

  int x = 0, y = 0;
  ASSERT_TRUE(FirstPictureCentre(&run_->main().thumbList().page(), &x, &y));
  ClickAt(x, y, 1);
  ASSERT_TRUE(run_->WaitForTrace("command kCmdShowClickedImage " + pictures_ + "/A/1.png"));
  ASSERT_TRUE(SpinUntil([&] { return ImageLocation() == ImageUrl(pictures_ + "/A/1.png"); }));
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kImage);
  ASSERT_TRUE(run_->WaitForTrace("painted image kovp://image/"));
  EXPECT_FALSE(SaveScreenshot(GTK_WIDGET(run_->main().imageView().window()), "viewer-picture").empty());

  PressKey(XK_Escape);
  ASSERT_TRUE(SpinUntil([&] { return viewer().GetFrontPane() == FrontPane::kThumbnails; }));
  EXPECT_EQ(run_->CountTrace(kListNavigation), 1);  // shown again, not reloaded
  EXPECT_EQ(ImageLocation(), "kovp://blank/");
  // A second Escape with the list in front does nothing.
  PressKey(XK_Escape);
  ASSERT_TRUE(run_->WaitForCommand(kCmdEscape, 2));
  EXPECT_EQ(viewer().GetFrontPane(), FrontPane::kThumbnails);
}

TEST_F(ViewerTest, ReturnWalksAcrossFoldersAndMusicChangesOnlyWhenItDiffers) {
  Start();
  const std::string ownMusic = SetSoundStatement(FileUrl(pictures_ + "/A/kovbgsnd.mid"));
  const std::string builtIn = SetSoundStatement("file:///nonexistent/kov-music.mid");
  EXPECT_EQ(run_->CountTrace("script info " + ownMusic), 1);

  const std::vector<std::string> walk = {"A/1.png", "A/2.png", "B/1.png", "B/2.png", "C/1.png"};
  for (const std::string& picture : walk) {
    PressKey(XK_Return);
    ASSERT_TRUE(SpinUntil([&] { return ImageLocation() == ImageUrl(pictures_ + "/" + picture); }))
        << picture;
  }
  // The statement changes on entering B (A's own music to the built-in one) and not
  // on entering C, whose music is B's: the page keeps playing without a restart.
  std::vector<std::string> sounds;
  for (const std::string& line : run_->Trace())
    if (line.rfind("script info setSnd(", 0) == 0) sounds.push_back(line.substr(12));
  ASSERT_GE(sounds.size(), 2u);
  EXPECT_EQ(sounds[0], ownMusic);
  EXPECT_EQ(sounds[1], builtIn);
  for (size_t i = 2; i < sounds.size(); ++i) EXPECT_EQ(sounds[i], builtIn);
  EXPECT_EQ(viewer().GetCurrentFolder(), pictures_ + "/C");
}

TEST_F(ViewerTest, FolderTreeOkOpensTheFolderAndStoresIt) {
  Start();
  PressKey(XK_F2);
  GtkWidget* tree = run_->main().folderTree().window();
  ASSERT_TRUE(SpinUntil([&] { return gtk_widget_get_visible(tree); }));
  ASSERT_TRUE(run_->main().folderTree().SelectPath(pictures_ + "/B"));
  // Keys over the tree are the viewer's commands: Escape is "back", and the tree stays.
  PressKey(XK_Escape);
  ASSERT_TRUE(run_->WaitForCommand(kCmdEscape));
  EXPECT_TRUE(gtk_widget_get_visible(tree));
  // The wheel over a page leaves the open tree in front, where OK is clicked.
  PostCommand(viewer().target(), kCmdWheel);
  ASSERT_TRUE(run_->WaitForCommand(kCmdWheel));
  int x = 0, y = 0;
  ASSERT_TRUE(CentreInLayer(tree, run_->main().folderTree().okButton(), &x, &y));
  ClickAt(x, y, 1);
  ASSERT_TRUE(run_->WaitForCommand(kCmdOpenTreeFolder));
  EXPECT_FALSE(gtk_widget_get_visible(tree));
  EXPECT_EQ(run_->settings()["imgfolder"], pictures_ + "/B");
  ASSERT_TRUE(run_->WaitForTrace(kListNavigation, 2));
  EXPECT_EQ(run_->main().thumbList().shownFolder(), pictures_ + "/B");
  EXPECT_EQ(viewer().GetCurrentFolder(), pictures_ + "/B");
}

TEST_F(ViewerTest, QuitButtonAsksAndCloseDoesNot) {
  CAnsweredQuitQuestion question;
  SetQuitQuestion(&question);
  Start();
  int x = 0, y = 0;
  ASSERT_TRUE(ButtonCentre(toolbar(), kBtnQuitOrBack, &x, &y));
  ClickAt(x, y, 1);
  ASSERT_TRUE(SpinUntil([&] { return question.asked == 1; }));
  ASSERT_TRUE(run_->DrainCommands());
  EXPECT_FALSE(run_->ended());  // answered No

  // Close on the viewer's window quits without a question.
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(run_->main().viewerWindow().window()))));
  gtk_main_do_event(close);
  gdk_event_free(close);
  ASSERT_TRUE(SpinUntil([&] { return run_->ended(); }));
  EXPECT_EQ(question.asked, 1);
  EXPECT_EQ(run_->CountCommand(kCmdQuitNow), 1);
  SetQuitQuestion(nullptr);
}

TEST(ViewerEmptyTree, ShowsTheNoImagesTextWithTheFolderEscaped) {
  TempTree tree;
  std::string root = tree.Folder("Empty <b>&amp; \"x\"");
  tree.Folder("Empty <b>&amp; \"x\"/sub");
  ViewerRun run(root);
  ASSERT_TRUE(run.WaitForCommand(kCmdThumbnailCount));
  ASSERT_TRUE(run.WaitForTrace("script info setInfo(", 2));
  CBrowserPane* info = &run.main().info().page();
  ASSERT_TRUE(SpinUntil([&] {
    return ReadJson(info, "document.getElementById('info').innerText").find("no any image") !=
           std::string::npos;
  }));
  std::string text = ReadJson(info, "document.getElementById('info').innerText");
  EXPECT_NE(text.find("Empty <b>&amp; \\\"x\\\""), std::string::npos) << text;
  EXPECT_EQ(ReadJson(info, "document.getElementById('info').getElementsByTagName('b').length"), "0");
  EXPECT_EQ(run.main().viewer().GetFrontPane(), FrontPane::kInfo);
}

}  // namespace
}  // namespace test
}  // namespace kov

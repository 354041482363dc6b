// The viewer started on a folder or a picture named on its command line.
#include <X11/keysym.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>


#include "base/TextEscape.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }
std::string ListUrl(const std::string& folder) {
  return "kovp://thumblst/" + PercentEncodePath(folder + "/kovthumb.$$$");
}

// Pictures/A and Pictures/B, two pictures each with their thumbnails.
class StartPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pictures_ = tree_.Folder("Pictures");
    for (const char* folder : {"A", "B"}) {
      std::string path = tree_.Folder(std::string("Pictures/") + folder);
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/1.png", 0x3060c0));
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/2.png", 0xc06030));
    }
  }
  TempTree tree_;
  std::string pictures_;
};

// Every window a desktop lists has a title, all share the program icon, and only
// the information pane asks for a taskbar entry.
void ExpectOneTitledTaskbarWindow() {
  GList* icons = gtk_window_get_default_icon_list();
  EXPECT_GE(g_list_length(icons), 8u);
  g_list_free(icons);
  int inTaskbar = 0;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    GtkWindow* window = GTK_WINDOW(w->data);
    if (gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL) continue;
    const char* title = gtk_window_get_title(window);
    EXPECT_TRUE(title != nullptr && *title != '\0');
    if (!gtk_window_get_skip_taskbar_hint(window)) ++inTaskbar;
  }
  g_list_free(windows);
  EXPECT_EQ(inTaskbar, 1);
}

TEST_F(StartPathTest, FolderOpensAsTheWalksRootWithoutBeingRemembered) {
  ViewerRun run(pictures_, pictures_ + "/B");
  ASSERT_TRUE(run.WaitForTrace("navigate thumbs " + ListUrl(pictures_ + "/B")));
  EXPECT_EQ(run.CountTrace("navigate thumbs kovp://thumblst/"), 1);  // not the tree's own choice
  EXPECT_EQ(run.main().toolbar().GetCurrentFolder(), pictures_ + "/B");
  EXPECT_EQ(run.main().folderTree().GetSelectedPath(), pictures_ + "/B");
  EXPECT_EQ(run.settings().count("imgfolder"), 0u);
  ExpectOneTitledTaskbarWindow();
}

TEST_F(StartPathTest, PictureIsShownAndReturnWalksOnFromIt) {
  ViewerRun run(pictures_, pictures_ + "/B", pictures_ + "/B/1.png");
  CImageViewDlg& view = run.main().imageView();
  ASSERT_TRUE(SpinUntil([&] { return view.page().GetLocationUrl() == ImageUrl(pictures_ + "/B/1.png"); }));
  ASSERT_TRUE(run.WaitForTrace("painted image " + ImageUrl(pictures_ + "/B/1.png")));
  EXPECT_EQ(run.main().toolbar().GetFrontPane(), FrontPane::kImage);
  PressKey(XK_Return);
  ASSERT_TRUE(SpinUntil([&] { return view.page().GetLocationUrl() == ImageUrl(pictures_ + "/B/2.png"); }));
  // Escape goes back to the folder's thumbnails, which were listed under the picture.
  PressKey(XK_Escape);
  ASSERT_TRUE(SpinUntil([&] { return run.main().toolbar().GetFrontPane() == FrontPane::kThumbnails; }));
  EXPECT_EQ(run.main().thumbList().shownFolder(), pictures_ + "/B");
  EXPECT_EQ(run.settings().count("imgfolder"), 0u);
}

}  // namespace
}  // namespace test
}  // namespace kov

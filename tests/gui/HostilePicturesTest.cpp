// Picture files made to harm the thumbnail builder: a GIF with nothing but its
// header, a JPEG that claims a huge size in a few hundred bytes. Each must end in a
// record, so that the folder is current afterwards and not built again at every
// visit.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "pages/EngineFormats.h"
#include "platform/gui/WebEngine.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/PixbufTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderStaleness.h"

using namespace kov;
using namespace kov::test;

TEST(HostilePictures, BrokenAndBombPicturesEndInRecordsAndTheFolderIsCurrent) {
  TempFolder folder;
  const std::string& dir = folder.path();
  TraceShownOnFailure trace(dir);
  // A logical screen of 1 x 1, a trailer, and nothing between.
  ASSERT_TRUE(WriteBytes(dir + "/header-only.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14) +
                                                       std::string(6, '\0')));
  ASSERT_TRUE(WriteBytes(dir + "/bomb.jpg", kovtest::JpegClaiming(60000, 2000)));
  ASSERT_TRUE(WriteSplitPicture(dir + "/good.png", "png", 300, 200));

  CThumbBuilderDlg dialog(DirName(dir), dir, false);
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(dialog.Run(), BuildResult::kOk);

  std::set<std::string> names;
  for (const ReadRecord& r : ReadCacheRecords(JoinPath(dir, kCacheFileName))) names.insert(r.header.name);
  EXPECT_EQ(names, (std::set<std::string>{"bomb.jpg", "good.png", "header-only.gif"}));
  EXPECT_TRUE(IsFolderCurrent(dir));
}

// The picture view of files a stale cache still lists: a FIFO and a link to
// /dev/zero named like photos, a JPEG bomb and a real PNG too large for the engine.
// Each page finishes loading (the engine never reads a pipe or a device); the bomb and
// the PNG reach the engine reduced, not at the size their headers claim, and are
// decoded aside while the window's loop goes on.
TEST(HostilePictures, ThePictureViewOfHostileFilesLoadsAndTheEngineHoldsLittle) {
  TempFolder folder;
  const std::string& dir = folder.path();
  ASSERT_EQ(mkfifo((dir + "/pipe.jpg").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir + "/zero.jpg").c_str()), 0);
  ASSERT_TRUE(WriteBytes(dir + "/bomb.jpg", kovtest::JpegClaiming(60000, 2000)));
  ASSERT_TRUE(WriteBytes(dir + "/wide.png", kovtest::SavePixbuf(kovtest::FlatPixbuf(12000, 3000), "png")));
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 400, 300}, 0);
  ASSERT_NE(window, nullptr);
  const struct {
    const char* name;
    int mostWidth;  // of the picture the engine decoded; 0: none
    bool decodedAside;
  } cases[] = {{"pipe.jpg", 0, false},
               {"zero.jpg", 0, false},
               {"bomb.jpg", int(kMaxEngineSide), true},
               {"wide.png", int(kMaxEngineSide), true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string url = "kovp://image/" + PercentEncodePath(dir + "/" + c.name);
    if (c.decodedAside) {
      // The decode is under way on a worker while this loop still runs.
      pane.Navigate(url);
      EXPECT_TRUE(SpinUntil([] { return SlowSchemeRequestsInWork() > 0; }));
      ASSERT_TRUE(SpinUntil([&] { return !webkit_web_view_is_loading(pane.View()); }));
      EXPECT_EQ(pane.GetLocationUrl(), url);
    } else {
      ASSERT_TRUE(LoadAndWait(&pane, url));
    }
    const std::string size = ReadJson(&pane, "(function(){var p=document.getElementById('pic');"
                                             "return [p.naturalWidth,p.naturalHeight];})()");
    int width = -1, height = -1;
    ASSERT_EQ(std::sscanf(size.c_str(), "[%d,%d]", &width, &height), 2) << size;
    EXPECT_LE(width, c.mostWidth);
    EXPECT_LE(uint64_t(width) * uint64_t(height), kMaxDecodedViewPixels);
    if (c.mostWidth > 0) {
      EXPECT_GT(width, 0);
    }
  }
  EXPECT_EQ(SlowSchemeRequestsInWork(), 0);
  // A view that moves on while its picture is decoded: the answer that comes after it
  // is dropped without harm.
  pane.Navigate("kovp://image/" + PercentEncodePath(dir + "/wide.png"));
  ASSERT_TRUE(SpinUntil([] { return SlowSchemeRequestsInWork() > 0; }));
  ASSERT_TRUE(LoadAndWait(&pane, "kovp://blank/"));
  ASSERT_TRUE(SpinUntil([] { return SlowSchemeRequestsInWork() == 0; }));
  EXPECT_EQ(ReadJson(&pane, "document.readyState"), "\"complete\"");
  gtk_widget_destroy(GTK_WIDGET(window));
}

// Picture files made to harm the thumbnail builder: a GIF with nothing but its
// header, a JPEG that claims a huge size in a few hundred bytes. Each must end in a
// record, so that the folder is current afterwards and not built again at every
// visit.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "pages/EngineFormats.h"
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
// /dev/zero named like photos, and a JPEG bomb. Each page finishes loading (the
// engine never reads a pipe or a device), and the bomb reaches the engine reduced to
// what it can hold, not at the 60000 x 2000 its header claims.
TEST(HostilePictures, ThePictureViewOfHostileFilesLoadsAndTheEngineHoldsLittle) {
  TempFolder folder;
  const std::string& dir = folder.path();
  ASSERT_EQ(mkfifo((dir + "/pipe.jpg").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir + "/zero.jpg").c_str()), 0);
  ASSERT_TRUE(WriteBytes(dir + "/bomb.jpg", kovtest::JpegClaiming(60000, 2000)));
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 400, 300}, 0);
  ASSERT_NE(window, nullptr);
  const struct {
    const char* name;
    int mostWidth;  // of the picture the engine decoded; 0: none
  } cases[] = {{"pipe.jpg", 0}, {"zero.jpg", 0}, {"bomb.jpg", int(kMaxEngineSide)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(LoadAndWait(&pane, "kovp://image/" + PercentEncodePath(dir + "/" + c.name)));
    const std::string width = ReadJson(&pane, "document.getElementById('pic').naturalWidth");
    ASSERT_FALSE(width.empty());
    EXPECT_LE(std::stoi(width), c.mostWidth);
    if (c.mostWidth > 0) {
      EXPECT_GT(std::stoi(width), 0);
    }
  }
  gtk_widget_destroy(GTK_WIDGET(window));
}

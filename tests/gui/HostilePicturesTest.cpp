// Picture files made to harm the thumbnail builder: a GIF with nothing but its
// header, a JPEG that claims a huge size in a few hundred bytes. Each must end in a
// record, so that the folder is current afterwards and not built again at every
// visit.
#include <gtest/gtest.h>

#include <set>

#include "base/PathRules.h"
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

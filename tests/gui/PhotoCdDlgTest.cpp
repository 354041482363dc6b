// The photo CD tool on a small tree, and that tree seen as a CD-ROM afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/DriveTypes.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "tools/gui/PhotoCdDlg.h"

using namespace kov;
using namespace kov::test;

TEST(PhotoCdDlg, PreparedTreeSeenAsACdRomHasEveryThumbnailAndBuildsNothing) {
  TempFolder temp;
  std::string root = temp.MakeFolder("disc");
  ASSERT_TRUE(WriteSplitPicture(root + "/a.png", "png", 200, 100));
  temp.MakeFolder("disc/trip/day 2");
  ASSERT_TRUE(WriteSplitPicture(root + "/trip/b.jpg", "jpeg", 90, 160));
  ASSERT_TRUE(WriteSplitPicture(root + "/trip/day 2/c.png", "png", 50, 50));
  RecordingMessageBox messages;
  SetMessageBox(&messages);

  CPhotoCdDlg dialog("");
  dialog.Create(nullptr);
  ShowAndWait(dialog.window());
  EXPECT_FALSE(gtk_widget_get_sensitive(dialog.okButton()));  // nothing proposed
  FixedFolderPicker picker;
  picker.answer = root;
  SetFolderPicker(&picker);
  ClickCentre(dialog.browseButton());
  SetFolderPicker(nullptr);
  ASSERT_TRUE(gtk_widget_get_sensitive(dialog.okButton()));
  ClickCentre(dialog.okButton());  // builds the caches in the builder's window, then "Done!"
  ASSERT_TRUE(SpinUntil([&] { return !messages.shown.empty(); }, 60000));
  EXPECT_EQ(messages.shown, std::vector<int>{5013});
  SetMessageBox(nullptr);

  EXPECT_EQ(ReadFileText(root + "/AUTORUN.INF"), "[AUTORUN]\r\nOPEN=KOV.EXE\r\nICON=KOV.EXE,0");
  EXPECT_EQ(ReadFileText(root + "/kov.exe"), ReadFileText("/proc/self/exe"));
  EXPECT_EQ(access((root + "/kov.exe").c_str(), X_OK), 0);
  EXPECT_EQ(access((root + "/autorun.sh").c_str(), X_OK), 0);

  // The same tree as a disc: every folder's own cache is current, nothing is built.
  std::string table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n2 1 11:0 / " + root + " ro - iso9660 /dev/sr0 ro\n";
  setenv("KOV_MOUNTINFO", temp.WriteFile("mountinfo", table).c_str(), 1);
  ASSERT_EQ(GetPathDriveType(root), kDriveCdRom);
  for (const char* folder : {"", "/trip", "/trip/day 2"}) {
    EXPECT_TRUE(PathExists(root + folder + "/kovthumb.$$$")) << folder;
    EXPECT_TRUE(IsFolderCurrent(root + folder)) << folder;
  }
  CThumbBuilderDlg builder(root, root, true);
  ASSERT_TRUE(builder.Create(nullptr));
  EXPECT_EQ(builder.Run(), BuildResult::kOk);
  EXPECT_EQ(builder.RenderedCount(), 0u);
  unsetenv("KOV_MOUNTINFO");
}

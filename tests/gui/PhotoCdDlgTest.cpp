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
#include "thumbs/FolderWritability.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "tools/PhotoCd.h"
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
  EXPECT_EQ(messages.shown, std::vector<StringId>{StringId::kPhotoCdDone});
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

namespace {
// Says no for one folder, as another user's folder would (root ignores file modes).
class OneLockedFolder : public IFolderWritability {
 public:
  explicit OneLockedFolder(std::string folder) : folder_(std::move(folder)) { SetFolderWritability(this); }
  ~OneLockedFolder() override { SetFolderWritability(nullptr); }
  bool CanCreateFilesIn(const std::string& folder) const override { return folder != folder_; }

 private:
  std::string folder_;
};
}  // namespace

// A subfolder that cannot hold its own cache is named, and "Done!" is not said; the
// user's own autorun.sh stays, and the user is told.
TEST(PhotoCdDlg, FoldersTheDiscWouldLackAreNamedAndTheUsersScriptStays) {
  TempFolder temp;
  std::string root = temp.MakeFolder("disc");
  std::string locked = temp.MakeFolder("disc/locked");
  ASSERT_TRUE(WriteSplitPicture(root + "/a.png", "png", 40, 30));
  ASSERT_TRUE(WriteSplitPicture(locked + "/b.png", "png", 40, 30));
  temp.WriteFile("disc/autorun.sh", "my own script");
  OneLockedFolder lock(locked);
  RecordingMessageBox messages;
  SetMessageBox(&messages);

  CPhotoCdDlg dialog(root);
  dialog.Create(nullptr);
  ShowAndWait(dialog.window());
  ClickCentre(dialog.okButton());
  ASSERT_TRUE(SpinUntil([&] { return messages.notices.size() == 2; }, 60000));
  SetMessageBox(nullptr);
  EXPECT_EQ(messages.notices[0], kOwnAutorunKeptText);
  EXPECT_EQ(messages.notices[1], FoldersLeftWithoutThumbnailsText({{locked, "the folder cannot be written"}}));
  EXPECT_TRUE(messages.shown.empty());  // no "Done!"
  EXPECT_EQ(ReadFileText(root + "/autorun.sh"), "my own script");
  EXPECT_TRUE(PathExists(root + "/kovthumb.$$$"));
  EXPECT_FALSE(PathExists(locked + "/kovthumb.$$$"));
}

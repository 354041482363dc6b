#include <gtest/gtest.h>

#include "app/logic/ContextMenuRules.h"
#include "platform/DriveTypes.h"

using namespace kov;

TEST(ContextMenuRules, EntriesFollowTheClickTheSelectionAndTheVolume) {
  struct Case {
    const char* what;
    ContextMenuFacts facts;
    bool save, copy, move, del;
  } cases[] = {
      {"beside a picture, nothing selected", {false, 0, kDriveFixed, false}, false, false, false, false},
      {"on a picture, nothing selected", {true, 0, kDriveFixed, false}, true, false, false, false},
      {"selection on a fixed volume", {false, 2, kDriveFixed, false}, false, true, true, true},
      {"selection on a CD-ROM", {true, 1, kDriveCdRom, false}, true, true, false, false},
      {"selection on a removable volume", {false, 1, kDriveRemovable, false}, false, true, false, false},
      {"selection in a remote folder", {false, 3, kDriveRemote, false}, false, true, false, false},
      {"selection, no volume found", {false, 1, kDriveUnknown, false}, false, true, false, false},
      {"selection while files are worked on", {true, 2, kDriveFixed, true}, true, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(IsContextMenuEntryEnabled(kCmdPrintPreview, c.facts)) << c.what;
    EXPECT_TRUE(IsContextMenuEntryEnabled(kCmdPrintPage, c.facts)) << c.what;
    EXPECT_EQ(IsContextMenuEntryEnabled(kCmdSavePicture, c.facts), c.save) << c.what;
    EXPECT_EQ(IsContextMenuEntryEnabled(kCmdCopySelected, c.facts), c.copy) << c.what;
    EXPECT_EQ(IsContextMenuEntryEnabled(kCmdMoveSelected, c.facts), c.move) << c.what;
    EXPECT_EQ(IsContextMenuEntryEnabled(kCmdDeleteSelected, c.facts), c.del) << c.what;
  }
  EXPECT_FALSE(IsContextMenuEntryEnabled(0, ContextMenuFacts{true, 1, kDriveFixed, false}));
}

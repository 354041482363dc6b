// The background dialog's OK and Cancel with a file chosen through the chooser's stand-in.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "tools/gui/BackgroundDlg.h"

using namespace kov;
using namespace kov::test;

TEST(BackgroundDlg, OkWritesTheChosenPictureAndCancelAsksForTheFolderOwnAgain) {
  TempFolder temp;
  std::string album = temp.MakeFolder("album");
  temp.WriteFile("album/kovbgimg.jpg", "old picture");
  std::string chosen = temp.WriteFile("pics/sunset.PNG", "new picture");
  FixedFileChooser chooser;
  chooser.answer = chosen;
  SetFileChooser(&chooser);

  for (bool ok : {false, true}) {
    std::vector<BackgroundPreview> previews;
    CBackgroundDlg dialog(album, [&](BackgroundPreview p) { previews.push_back(p); });
    dialog.Create(nullptr);
    ShowAndWait(dialog.window());
    EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(dialog.pictureBox())), album + "/kovbgimg.jpg");
    ClickCentre(dialog.browseButton(true));
    EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(dialog.pictureBox())), chosen);
    ClickCentre(dialog.clearButton(false));  // no music: nothing to clear
    ClickCentre(ok ? dialog.okButton() : dialog.cancelButton());
    if (!ok) {
      EXPECT_EQ(previews, (std::vector<BackgroundPreview>{BackgroundPreview::kChosenPicture,
                                                          BackgroundPreview::kFolderOwn}));
      EXPECT_EQ(ReadFileText(album + "/kovbgimg.jpg"), "old picture");
    } else {
      EXPECT_EQ(previews, std::vector<BackgroundPreview>{BackgroundPreview::kChosenPicture});
      EXPECT_FALSE(PathExists(album + "/kovbgimg.jpg"));
      EXPECT_EQ(ReadFileText(album + "/kovbgimg.PNG"), "new picture");
    }
  }
  EXPECT_EQ(chooser.filters, (std::vector<StringId>{StringId::kPictureFileFilter, StringId::kPictureFileFilter}));
  SetFileChooser(nullptr);
}

// A background that cannot be written is said so once, and the panes stop previewing
// the choice that was not saved.
TEST(BackgroundDlg, OkThatCannotWriteSaysSoAndShowsTheFoldersOwnAgain) {
  TempFolder temp;
  std::string album = temp.MakeFolder("album");
  std::string old = temp.WriteFile("album/kovbgimg.jpg", "old picture");
  chmod(old.c_str(), 0444);
  FixedFileChooser chooser;
  chooser.answer = temp.WriteFile("pics/sunset.PNG", "new picture");
  SetFileChooser(&chooser);
  RecordingMessageBox messages;
  SetMessageBox(&messages);
  std::vector<BackgroundPreview> previews;
  CBackgroundDlg dialog(album, [&](BackgroundPreview p) { previews.push_back(p); });
  dialog.Create(nullptr);
  ShowAndWait(dialog.window());
  ClickCentre(dialog.browseButton(true));
  ClickCentre(dialog.okButton());
  SetMessageBox(nullptr);
  SetFileChooser(nullptr);
  EXPECT_EQ(previews, (std::vector<BackgroundPreview>{BackgroundPreview::kChosenPicture,
                                                      BackgroundPreview::kFolderOwn}));
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_NE(messages.notices[0].find("kovbgimg.jpg is read-only"), std::string::npos) << messages.notices[0];
  EXPECT_EQ(ReadFileText(old), "old picture");
  EXPECT_FALSE(PathExists(album + "/kovbgimg.PNG"));
}

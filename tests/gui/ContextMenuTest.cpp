// The pages' context menu as a user works it: Ctrl+click marks thumbnails, a
// right-click shows the menu, its entries trash or copy the marked pictures. The
// folder picker and the message box are the test's own; files, trash and rebuild are
// real.
#include <gtest/gtest.h>
// X11's headers come after the test framework's: they define None and Bool.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <sys/stat.h>

#include <cstdio>

#include "app/logic/ContextMenuRules.h"
#include "pages/ThumbnailSelection.h"
#include "res/CommandIds.h"
#include "tests/support/FileChecks.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"
#include "files/gui/FileChooser.h"
#include "folders/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

using kovtest::PathExists;
using kovtest::ReadFileText;

namespace kov {
namespace test {
namespace {

class CRecordingMessageBox : public IMessageBox {
 public:
  bool AskYesNo(GtkWindow*, const std::string& text) override {
    questions.push_back(text);
    return true;
  }
  void ShowNotice(GtkWindow*, const std::string& text) override { notices.push_back(text); }
  std::vector<std::string> questions, notices;
};

class CAnsweredFolderPicker : public IFolderPicker {
 public:
  bool BrowseForFolder(GtkWindow*, std::string* path, bool) override {
    ++asked;
    if (answer.empty()) return false;
    *path = answer;
    return true;
  }
  std::string answer;  // "" cancels
  int asked = 0;
};


Display* XDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

void ControlClickAt(int x, int y) {
  KeyCode control = XKeysymToKeycode(XDisplay(), XK_Control_L);
  XTestFakeKeyEvent(XDisplay(), control, True, CurrentTime);
  ClickAt(x, y, 1);
  XTestFakeKeyEvent(XDisplay(), control, False, CurrentTime);
  XFlush(XDisplay());
}

class CAnsweredSaveChooser : public IFileChooser {
 public:
  bool ChooseFileToOpen(GtkWindow*, StringId, std::string*) override { return false; }
  bool ChooseFileToSave(GtkWindow*, const std::string& picture, std::string* target) override {
    offered = picture;
    *target = answer;
    return true;
  }
  std::string offered, answer;
};

// Pictures/A holds three pictures with their thumbnails, the second with bytes in its
// name that the page's addresses escape.
const char kSecond[] = "2 #%&.png";

class ContextMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pictures_ = tree_.Folder("Pictures");
    folder_ = tree_.Folder("Pictures/A");
    ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/1.png", 0x3060c0));
    ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/" + kSecond, 0xc06030));
    ASSERT_TRUE(AddPictureWithThumbnail(folder_ + "/3.png", 0x30c060));
    SetMessageBox(&messages_);
    SetFolderPicker(&picker_);
    SetFileChooser(&saveChooser_);
    run_ = std::make_unique<ViewerRun>(pictures_);
    ASSERT_TRUE(run_->WaitForTrace("painted thumbs kovp://thumblst/"));
    ASSERT_TRUE(SpinUntil([&] { return run_->main().viewer().thumbnailCount() == 3; }));
  }
  void TearDown() override {
    run_.reset();
    SetMessageBox(nullptr);
    SetFolderPicker(nullptr);
    SetFileChooser(nullptr);
  }

  CBrowserPane* list() { return &run_->main().thumbList().page(); }

  bool PictureCentre(int index, int* x, int* y) {
    std::string json = ReadJson(list(), "(function(){var r=document.images[" + std::to_string(index) +
                                            "].getBoundingClientRect();"
                                            "return [Math.round(r.left+r.width/2),Math.round(r.top+r.height/2)];})()");
    return std::sscanf(json.c_str(), "[%d,%d]", x, y) == 2;
  }

  size_t SelectedInPage() {
    std::vector<ThumbnailCell> cells;
    if (!ParseThumbnailCells(ReadJson(list(), kThumbnailCellsScript), &cells)) return 0;
    return SelectedPictures(cells, folder_).cellCount;
  }

  // Ctrl+clicks the pictures and waits until the page shows them marked.
  void Select(std::initializer_list<int> pictures) {
    size_t marked = 0;
    for (int index : pictures) {
      int x = 0, y = 0;
      ASSERT_TRUE(PictureCentre(index, &x, &y));
      ControlClickAt(x, y);
      ++marked;
      ASSERT_TRUE(SpinUntil([&] { return SelectedInPage() == marked; })) << "picture " << index;
    }
  }

  // Right-clicks a picture, then clicks the menu's entry.
  void ChooseFromMenu(int commandId, int picture = 0) {
    int x = 0, y = 0;
    ASSERT_TRUE(PictureCentre(picture, &x, &y));
    ClickAt(x, y, 3);
    CContextMenu& menu = run_->main().contextMenu();
    ASSERT_TRUE(SpinUntil([&] { return menu.shownMenu() && gtk_widget_get_mapped(menu.shownMenu()); }));
    GtkWidget* entry = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu.shownMenu()));
    for (GList* it = children; it != nullptr; it = it->next)
      if (GPOINTER_TO_INT(g_object_get_data(G_OBJECT(it->data), "kov-command")) == commandId)
        entry = GTK_WIDGET(it->data);
    g_list_free(children);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(gtk_widget_is_sensitive(entry));
    // The toolkit ignores a release within 500 ms of the click that opened the menu:
    // wait for the X server's clock to pass that.
    GdkWindow* window = gtk_widget_get_window(entry);
    guint32 opened = gdk_x11_get_server_time(window);
    ASSERT_TRUE(SpinUntil([&] { return gdk_x11_get_server_time(window) - opened > 600; }));
    SaveScreenshot(gtk_widget_get_toplevel(menu.shownMenu()), "context-menu");
    int left = 0, top = 0;
    gdk_window_get_origin(window, &left, &top);
    GtkAllocation a;
    gtk_widget_get_allocation(entry, &a);
    ClickAt(left + a.x + a.width / 2, top + a.y + a.height / 2, 1);
    ASSERT_TRUE(run_->WaitForCommand(commandId));
  }

  // Every command posted so far has run: a later one has come through the queue.
  void DrainCommands() {
    int seen = run_->CountCommand(kCmdRefreshState);
    PostCommand(run_->main().viewer().target(), kCmdRefreshState);
    ASSERT_TRUE(run_->WaitForCommand(kCmdRefreshState, seen + 1));
  }

  TempTree tree_;
  std::string pictures_, folder_;
  CRecordingMessageBox messages_;
  CAnsweredFolderPicker picker_;
  CAnsweredSaveChooser saveChooser_;
  std::unique_ptr<ViewerRun> run_;
};

TEST_F(ContextMenuTest, DeleteSelectedAsksThenTrashesBothAndRebuildsTheList) {
  Select({0, 1});
  ChooseFromMenu(kCmdDeleteSelected);
  ASSERT_TRUE(SpinUntil([&] { return messages_.questions.size() == 1; }));
  EXPECT_EQ(messages_.questions[0], "2 files will be deleted.\n\nContinue?");
  ASSERT_TRUE(run_->WaitForCommand(kCmdRebuildThumbnails));
  ASSERT_TRUE(SpinUntil([&] { return run_->main().viewer().thumbnailCount() == 1; }, 60000));
  EXPECT_TRUE(messages_.notices.empty());

  const std::string trash = std::string(g_get_user_data_dir()) + "/Trash";
  for (const std::string name : {"1.png", kSecond}) {
    EXPECT_FALSE(PathExists(folder_ + "/" + name)) << name;
    EXPECT_TRUE(PathExists(trash + "/files/" + name)) << name;
    // The trash writes the original place escaped as in a URI.
    gchar* place = g_uri_escape_string((folder_ + "/" + name).c_str(), "/", FALSE);
    EXPECT_NE(ReadFileText(trash + "/info/" + name + ".trashinfo").find(std::string("Path=") + place),
              std::string::npos)
        << name;
    g_free(place);
    g_remove((trash + "/files/" + name).c_str());
    g_remove((trash + "/info/" + name + ".trashinfo").c_str());
  }
  EXPECT_TRUE(PathExists(folder_ + "/3.png"));
}

TEST_F(ContextMenuTest, CopyLeavesAFileOfTheSameNameAloneAndSaysSo) {
  std::string stick = tree_.Folder("Stick");
  ASSERT_TRUE(g_file_set_contents((stick + "/1.png").c_str(), "other camera", -1, nullptr));
  picker_.answer = stick;
  Select({0, 1});
  ChooseFromMenu(kCmdCopySelected);
  ASSERT_TRUE(SpinUntil([&] { return messages_.notices.size() == 1; }, 30000));
  EXPECT_EQ(messages_.notices[0],
            "1 of 2 files was not copied.\n\nAlready in the destination folder, left as it was: 1");
  EXPECT_EQ(ReadFileText(stick + "/1.png"), "other camera");
  EXPECT_EQ(ReadFileText(stick + "/" + kSecond), ReadFileText(folder_ + "/" + kSecond));
  EXPECT_EQ(run_->settings()["copytodir"], stick);
  DrainCommands();
  EXPECT_EQ(run_->CountCommand(kCmdRebuildThumbnails), 0);  // the current folder did not change
}

TEST_F(ContextMenuTest, CancelInTheFolderPickerChangesNothing) {
  Select({1});
  ChooseFromMenu(kCmdMoveSelected);
  ASSERT_TRUE(SpinUntil([&] { return picker_.asked == 1; }));
  DrainCommands();
  EXPECT_EQ(run_->settings().count("movetodir"), 0u);
  EXPECT_EQ(run_->CountTrace("files "), 0);
  EXPECT_TRUE(PathExists(folder_ + "/" + kSecond));
  EXPECT_TRUE(messages_.notices.empty());
  EXPECT_EQ(SelectedInPage(), 1u);  // the page was not rebuilt
}

// A picture that has become a FIFO since the list was made is passed over with a
// reason by Copy, Move and Delete in turn: none of them waits on it, and each can be
// chosen again once the one before has ended (ChooseFromMenu needs its entry enabled).
TEST_F(ContextMenuTest, AFifoIsPassedOverAndTheOperationsCanBeChosenAgain) {
  std::string stick = tree_.Folder("Stick");
  picker_.answer = stick;
  const std::string pipe = folder_ + "/" + kSecond;
  ASSERT_EQ(g_remove(pipe.c_str()), 0);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  Select({0, 1});
  const struct {
    int command;
    const char* notice;
  } operations[] = {
      {kCmdCopySelected, "1 of 2 files was not copied.\n\n"},
      {kCmdMoveSelected, "2 of 2 files were not moved.\n\n"},
      {kCmdDeleteSelected, "1 of 2 files was not moved to the trash.\n\n"},
  };
  for (const auto& operation : operations) {
    SCOPED_TRACE(operation.notice);
    const size_t notices = messages_.notices.size();
    ChooseFromMenu(operation.command);
    ASSERT_TRUE(SpinUntil([&] { return messages_.notices.size() == notices + 1; }, 30000));
    EXPECT_EQ(messages_.notices.back().rfind(operation.notice, 0), 0u) << messages_.notices.back();
    EXPECT_NE(messages_.notices.back().find("not a regular file"), std::string::npos)
        << messages_.notices.back();
  }
  struct stat st;
  ASSERT_EQ(lstat(pipe.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(PathExists(stick + "/" + kSecond));
  EXPECT_FALSE(PathExists(folder_ + "/1.png"));  // copied, left in place by the move, then trashed
  const std::string trash = std::string(g_get_user_data_dir()) + "/Trash";
  g_remove((trash + "/files/1.png").c_str());
  g_remove((trash + "/info/1.png.trashinfo").c_str());
}

// The picture under the pointer is its file, whatever its name, saved byte for byte.
TEST_F(ContextMenuTest, SavePictureCopiesTheFileUnderThePointer) {
  saveChooser_.answer = tree_.Folder("Saved") + "/copy.png";
  ChooseFromMenu(kCmdSavePicture, 1);
  ASSERT_TRUE(SpinUntil([&] { return PathExists(saveChooser_.answer); }));
  EXPECT_EQ(saveChooser_.offered, folder_ + "/" + kSecond);
  EXPECT_EQ(ReadFileText(saveChooser_.answer), ReadFileText(folder_ + "/" + kSecond));
  EXPECT_TRUE(messages_.notices.empty());
}

}  // namespace
}  // namespace test
}  // namespace kov

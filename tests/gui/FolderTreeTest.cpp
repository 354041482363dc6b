#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/gui/FolderTreeTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "folders/Settings.h"
#include "folders/gui/FolderPicker.h"
#include "folders/gui/FolderTreeDlg.h"

using namespace kov;
using namespace kovtest;
using kov::test::PressKey;
using kov::test::SaveScreenshot;
using kov::test::SpinFor;
using kov::test::SpinUntil;

namespace {

// Clicks the middle of a button of the shown dialog, as a user would.
void ClickButton(const CFolderTreeDlg& dialog, GtkWidget* button) {
  int x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(dialog.window()), &x, &y);
  GtkAllocation a;
  gtk_widget_get_allocation(button, &a);
  kov::test::ClickAt(x + a.x + a.width / 2, y + a.y + a.height / 2, 1);
  kov::test::HandleGivenInput();
}

GtkAllocation PlaceOf(GtkWidget* widget) {
  GtkAllocation a;
  gtk_widget_get_allocation(widget, &a);
  return a;
}

using Paths = std::vector<std::string>;

// A real folder tree over a temporary Documents folder and one extra volume, with the
// settings file under a temporary config folder and OK counted.
class FolderTreeDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    documents_ = temp_.MakeFolder("Documents");
    temp_.MakeFolder("Documents/a/deep");
    temp_.MakeFolder("Documents/B");
    temp_.MakeFolder("Documents/only-hidden/.cache");
    volume_ = temp_.MakeFolder("vol");
    temp_.MakeFolder("vol/photos");
    const char* config = g_getenv("XDG_CONFIG_HOME");
    savedConfig_ = config ? config : "";
    g_setenv("XDG_CONFIG_HOME", temp_.MakeFolder("config").c_str(), TRUE);
  }
  void TearDown() override {
    unsetenv("KOV_MOUNTINFO");
    if (savedConfig_.empty()) g_unsetenv("XDG_CONFIG_HOME");
    else g_setenv("XDG_CONFIG_HOME", savedConfig_.c_str(), TRUE);
  }

  // The stored "imgfolder"; "(absent)" when there is none.
  static std::string Remembered() {
    std::string value;
    return GetSetting(kImageFolderSetting, &value) ? value : "(absent)";
  }

  std::unique_ptr<CFolderTreeDlg> MakeDialog(const std::string& remembered) {
    FolderTreeSources sources;
    sources.documents = documents_;
    sources.mountPoints = {volume_};
    sources.settings = ProgramSettings();  // the settings file under the temporary config folder
    std::string documents = documents_;
    sources.initialFacts = [remembered, documents] {
      InitialFolderFacts facts;
      facts.hasImgFolder = !remembered.empty();
      facts.imgFolder = remembered;
      facts.documents = documents;
      return facts;
    };
    auto dialog = std::make_unique<CFolderTreeDlg>(sources, [this] { ++chosen_; });
    EXPECT_TRUE(dialog->Create(nullptr));
    return dialog;
  }

  static bool Shown(CFolderTreeDlg& dialog) { return gtk_widget_get_visible(dialog.window()); }

  TempFolder temp_;
  std::string documents_, volume_;
  std::string savedConfig_;
  int chosen_ = 0;
};

GtkTreePath* Row(const char* indices) { return gtk_tree_path_new_from_string(indices); }

}  // namespace

TEST_F(FolderTreeDlgTest, ExpansionReadsTheDiskOnlyWhenAskedAndAgainAfterCollapse) {
  auto dialog = MakeDialog("");
  GtkTreeView* tree = dialog->treeView();
  GtkTreeModel* model = gtk_tree_view_get_model(tree);
  ASSERT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 3);
  GtkTreePath* documentsRow = Row("0");
  EXPECT_EQ(ChildPathsOf(tree, documentsRow), Paths{""});  // only the placeholder: nothing read
  EXPECT_EQ(dialog->GetSelectedPath(), documents_);        // the start-up folder

  ASSERT_TRUE(gtk_tree_view_expand_row(tree, documentsRow, FALSE));
  Paths listed{documents_ + "/a", documents_ + "/B", documents_ + "/only-hidden"};
  EXPECT_EQ(ChildPathsOf(tree, documentsRow), listed);
  GtkTreePath* firstChild = Row("0:0");
  EXPECT_EQ(ChildPathsOf(tree, firstChild), Paths{""});

  // A folder made meanwhile shows only after collapsing and expanding again.
  temp_.MakeFolder("Documents/c");
  EXPECT_EQ(ChildPathsOf(tree, documentsRow), listed);
  gtk_tree_view_collapse_row(tree, documentsRow);
  EXPECT_EQ(ChildPathsOf(tree, documentsRow), Paths{""});
  ASSERT_TRUE(gtk_tree_view_expand_row(tree, documentsRow, FALSE));
  listed.insert(listed.begin() + 2, documents_ + "/c");
  EXPECT_EQ(ChildPathsOf(tree, documentsRow), listed);

  // A folder with nothing but dot folders loses its expander when first opened.
  GtkTreePath* hiddenOnly = Row("0:3");
  EXPECT_FALSE(gtk_tree_view_expand_row(tree, hiddenOnly, FALSE));
  EXPECT_TRUE(ChildPathsOf(tree, hiddenOnly).empty());
  EXPECT_FALSE(gtk_tree_view_row_expanded(tree, hiddenOnly));
  for (GtkTreePath* row : {documentsRow, firstChild, hiddenOnly}) gtk_tree_path_free(row);
}

TEST_F(FolderTreeDlgTest, SelectPathExpandsDownToTheFolderAndSelectsIt) {
  std::string deep = documents_ + "/a/deep";
  auto dialog = MakeDialog(deep);  // the remembered folder is selected at start-up
  GtkTreeView* tree = dialog->treeView();
  EXPECT_EQ(dialog->GetSelectedPath(), deep);
  GtkTreePath* a = FindRow(tree, documents_ + "/a");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(gtk_tree_view_row_expanded(tree, a));
  gtk_tree_path_free(a);
  EXPECT_TRUE(gtk_widget_get_sensitive(dialog->okButton()));

  // Unreachable: false, and the selection stays.
  EXPECT_FALSE(dialog->SelectPath(documents_ + "/a/missing"));
  EXPECT_FALSE(dialog->SelectPath(documents_ + "/a/dee"));
  EXPECT_FALSE(dialog->SelectPath(""));
  EXPECT_EQ(dialog->GetSelectedPath(), deep);

  // Outside Documents the walk goes through "/"; a trailing '/' is ignored.
  EXPECT_TRUE(dialog->SelectPath(volume_ + "/photos/"));
  EXPECT_EQ(dialog->GetSelectedPath(), volume_ + "/photos");
  EXPECT_TRUE(dialog->SelectPath(documents_ + "/B"));
  EXPECT_EQ(dialog->GetSelectedPath(), documents_ + "/B");
}

TEST_F(FolderTreeDlgTest, OkHidesRemembersAndHandsOverExceptOnCdRom) {
  std::string deep = documents_ + "/a/deep";
  auto dialog = MakeDialog(deep);
  dialog->ShowAt(40, 30);
  ASSERT_TRUE(SpinUntil([&] { return gtk_widget_get_mapped(dialog->window()); }));
  SpinFor(300);
  int x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(dialog->window()), &x, &y);
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 30);
  EXPECT_EQ(gtk_widget_get_allocated_width(dialog->window()), CFolderTreeDlg::kWidth);
  EXPECT_EQ(gtk_widget_get_allocated_height(dialog->window()), CFolderTreeDlg::kHeight);
  EXPECT_FALSE(SaveScreenshot(dialog->window(), "folder-tree").empty());

  // The two image buttons sit in the bottom-right corner, OK last, one pixel apart.
  GtkAllocation ok = PlaceOf(dialog->okButton()), cancel = PlaceOf(dialog->cancelButton());
  EXPECT_EQ(ok.x, CFolderTreeDlg::kWidth - 2 - 18);
  EXPECT_EQ(ok.y, CFolderTreeDlg::kHeight - 2 - 18);
  EXPECT_EQ(ok.width, 18);
  EXPECT_EQ(ok.height, 18);
  EXPECT_EQ(cancel.x, ok.x - 19);
  EXPECT_EQ(cancel.y, ok.y);
  EXPECT_EQ(dialog->okImageButton().NormalBitmapId(), BitmapId::kOk);

  // With nothing selected OK shows its disabled picture and a click on it does nothing.
  gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(dialog->treeView()));
  EXPECT_FALSE(dialog->okImageButton().IsEnabled());
  EXPECT_EQ(dialog->okImageButton().NormalBitmapId(), BitmapId::kOkDisabled);
  ClickButton(*dialog, dialog->okButton());
  EXPECT_TRUE(Shown(*dialog));
  EXPECT_EQ(chosen_, 0);
  ASSERT_TRUE(dialog->SelectPath(deep));
  EXPECT_TRUE(dialog->okImageButton().IsEnabled());
  EXPECT_EQ(dialog->okImageButton().NormalBitmapId(), BitmapId::kOk);

  ClickButton(*dialog, dialog->okButton());
  ASSERT_TRUE(SpinUntil([&] { return chosen_ == 1; }));
  EXPECT_FALSE(Shown(*dialog));
  EXPECT_EQ(Remembered(), deep);

  // A tree made afterwards starts at the remembered folder.
  FolderTreeSources again;
  again.documents = documents_;
  again.settings = ProgramSettings();
  again.initialFacts = [] { return GatherInitialFolderFacts(ProgramSettings()); };
  CFolderTreeDlg second(again, nullptr);
  ASSERT_TRUE(second.Create(nullptr));
  EXPECT_EQ(second.GetSelectedPath(), deep);

  // A folder on a CD-ROM opens but is not remembered.
  std::string table = "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n30 20 11:0 / " + volume_ + " ro - iso9660 /dev/sr0 ro\n";
  setenv("KOV_MOUNTINFO", temp_.WriteFile("mountinfo", table).c_str(), 1);
  ASSERT_TRUE(dialog->SelectPath(volume_ + "/photos"));
  dialog->OnOK();
  EXPECT_EQ(chosen_, 2);
  EXPECT_EQ(Remembered(), deep);

  // Nothing selected: OK is disabled, and confirming stores "" and still hands over.
  gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(dialog->treeView()));
  EXPECT_FALSE(gtk_widget_get_sensitive(dialog->okButton()));
  dialog->OnOK();
  EXPECT_EQ(chosen_, 3);
  EXPECT_EQ(Remembered(), "");
}

TEST_F(FolderTreeDlgTest, ReturnPressesOkOtherKeysAndCloseAreNotTheTreesOwnAndCancelOnlyHides) {
  auto dialog = MakeDialog(documents_ + "/B");
  dialog->ShowAt(10, 10);
  ASSERT_TRUE(SpinUntil([&] { return gtk_window_has_toplevel_focus(GTK_WINDOW(gtk_widget_get_toplevel(dialog->window()))); }));
  // Escape is the viewer's command; on its own the tree ignores it.
  PressKey(XK_Escape);
  SpinFor(300);
  EXPECT_TRUE(Shown(*dialog));
  EXPECT_EQ(chosen_, 0);
  EXPECT_EQ(Remembered(), "(absent)");
  // A Close nobody takes neither destroys nor hides the window.
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(gtk_widget_get_toplevel(dialog->window()))));
  gtk_main_do_event(close);
  gdk_event_free(close);
  SpinFor(100);
  EXPECT_TRUE(Shown(*dialog));
  EXPECT_EQ(dialog->GetSelectedPath(), documents_ + "/B");

  // The Cancel button only hides.
  ClickButton(*dialog, dialog->cancelButton());
  EXPECT_TRUE(SpinUntil([&] { return !Shown(*dialog); }));
  EXPECT_EQ(chosen_, 0);

  // Return is OK, wherever the focus is in the window.
  dialog->ShowAt(10, 10);
  ASSERT_TRUE(SpinUntil([&] { return gtk_window_has_toplevel_focus(GTK_WINDOW(gtk_widget_get_toplevel(dialog->window()))); }));
  PressKey(XK_Return);
  EXPECT_TRUE(SpinUntil([&] { return chosen_ == 1; }));
  EXPECT_FALSE(Shown(*dialog));
  EXPECT_EQ(Remembered(), documents_ + "/B");
}

namespace {

// Answers the first shown folder chooser with response once it shows and, when
// ready is not empty, once it has chosen that folder: the chooser reads folders in
// the background, so an answer given at a fixed time could come before its choice.
// A chooser that never gets there is answered at the limit, so the test fails
// instead of hanging.
void AnswerChooserWhen(int response, const std::string& ready) {
  struct Answer {
    int response;
    std::string ready;
    gint64 limit;
  };
  g_timeout_add_full(G_PRIORITY_DEFAULT, 20, [](gpointer data) -> gboolean {
    auto* answer = static_cast<Answer*>(data);
    GList* windows = gtk_window_list_toplevels();
    bool answered = false;
    for (GList* item = windows; item && !answered; item = item->next) {
      GtkWidget* window = GTK_WIDGET(item->data);
      if (!GTK_IS_FILE_CHOOSER_DIALOG(window) || !gtk_widget_get_visible(window)) continue;
      gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(window));
      bool isReady = answer->ready.empty() || (chosen != nullptr && answer->ready == chosen) ||
                     g_get_monotonic_time() > answer->limit;
      g_free(chosen);
      if (!isReady) continue;
      gtk_dialog_response(GTK_DIALOG(window), answer->response);
      answered = true;
    }
    g_list_free(windows);
    return answered ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
  }, new Answer{response, ready, g_get_monotonic_time() + kov::test::kEventLimitMs * 1000LL}, [](gpointer data) { delete static_cast<Answer*>(data); });
}

}  // namespace

TEST(FolderPicker, OpensOnTheInitialFolderAndReturnsOnlyAConfirmedChoice) {
  TempFolder temp;
  std::string initial = temp.MakeFolder("pick/inner");
  CGtkFolderPicker picker;

  std::string path = initial;
  AnswerChooserWhen(GTK_RESPONSE_ACCEPT, initial);
  EXPECT_TRUE(picker.BrowseForFolder(nullptr, &path, true));
  EXPECT_EQ(path, initial);

  AnswerChooserWhen(GTK_RESPONSE_CANCEL, "");
  path = initial;
  EXPECT_FALSE(picker.BrowseForFolder(nullptr, &path, false));
  EXPECT_EQ(path, initial);

  EXPECT_FALSE(picker.BrowseForFolder(nullptr, nullptr, false));
}

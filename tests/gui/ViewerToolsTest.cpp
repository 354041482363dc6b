// The viewer's ways to the four tools: F1, F4, F6 and the help and disc buttons each
// open their dialog over the running viewer, and the background dialog's previews
// reach the toolbar.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "res/CommandIds.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

// The shown dialog with this title; nullptr while there is none.
GtkWidget* ShownDialog(const std::string& title) {
  GtkWidget* found = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item != nullptr; item = item->next) {
    GtkWidget* window = GTK_WIDGET(item->data);
    const char* text = gtk_window_get_title(GTK_WINDOW(window));
    if (GTK_IS_DIALOG(window) && gtk_widget_get_visible(window) && text != nullptr && title == text) found = window;
  }
  g_list_free(windows);
  return found;
}

// A button of container whose label is text (the last one added, for a grid).
GtkWidget* FindButton(GtkWidget* container, const std::string& text) {
  if (GTK_IS_BUTTON(container)) {
    const char* label = gtk_button_get_label(GTK_BUTTON(container));
    if (label != nullptr && text == label) return container;
  }
  if (!GTK_IS_CONTAINER(container)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  GtkWidget* found = nullptr;
  for (GList* item = children; item != nullptr && found == nullptr; item = item->next)
    found = FindButton(GTK_WIDGET(item->data), text);
  g_list_free(children);
  return found;
}

// The text of container's first entry; "" when it holds none.
std::string FirstEntryText(GtkWidget* container) {
  if (GTK_IS_ENTRY(container)) return gtk_entry_get_text(GTK_ENTRY(container));
  if (!GTK_IS_CONTAINER(container)) return "";
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  std::string found;
  for (GList* item = children; item != nullptr && found.empty(); item = item->next)
    found = FirstEntryText(GTK_WIDGET(item->data));
  g_list_free(children);
  return found;
}

// Waits, from inside the dialog's own loop, for the dialog titled title; runs act
// on it and closes it with Cancel.
struct DialogCloser {
  std::string title;
  std::function<void(GtkWidget*)> act;
  bool seen = false;
  guint source = 0;

  void Start() {
    source = g_timeout_add(50, +[](gpointer self) -> gboolean {
      auto* closer = static_cast<DialogCloser*>(self);
      GtkWidget* dialog = ShownDialog(closer->title);
      if (dialog == nullptr || !gtk_widget_get_mapped(dialog)) return G_SOURCE_CONTINUE;
      closer->seen = true;
      if (closer->act) closer->act(dialog);
      gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
      closer->source = 0;
      return G_SOURCE_REMOVE;
    }, this);
  }
  ~DialogCloser() {
    if (source != 0) g_source_remove(source);
  }
};

}  // namespace

TEST(ViewerTools, KeysAndButtonsOpenTheToolsAndPreviewsReachTheToolbar) {
  TempTree tree;
  std::string pictures = tree.Folder("Pictures");
  ASSERT_TRUE(AddPictureWithThumbnail(pictures + "/1.png", 0x3060c0));
  std::string chosen = tree.Folder("Music") + "/song.mid";
  ASSERT_TRUE(g_file_set_contents(chosen.c_str(), "MThd", 4, nullptr));
  FixedFileChooser chooser;
  chooser.answer = chosen;
  SetFileChooser(&chooser);
  ViewerRun run(pictures);
  ASSERT_TRUE(run.WaitForTrace("painted thumbs kovp://thumblst/"));
  ASSERT_TRUE(run.WaitUntilKeysReachViewer());
  const std::string preview = "script info setSnd(\"file://" + chosen + "\");";

  struct Case {
    unsigned key;  // 0: click the button
    int button;
    const char* title;
    const char* command;
    std::function<void(GtkWidget*)> act;
  } cases[] = {
      {XK_F1, 0, "About KOV", "command kCmdAbout", nullptr},
      {0, kBtnAbout, "About KOV", "command kBtnAbout", nullptr},
      {XK_F4, 0, "Background Picture and Music", "command kCmdBackground",
       [&](GtkWidget* dialog) {
         // A person chooses, hears the music, then cancels.
         gtk_button_clicked(GTK_BUTTON(FindButton(dialog, "...")));
         SpinUntil([&] { return run.CountTrace(preview) > 0; });
       }},
      {XK_F6, 0, "Create Thumbnails for Web Page", "command kCmdWebThumbnails", nullptr},
      {0, kBtnPhotoCd, "Prepare Photo CD", "command kBtnPhotoCd", nullptr},
  };
  for (const Case& c : cases) {
    // Around every modal tool the toolbar is hidden: shown, it would take no clicks.
    bool toolbarShown = true;
    DialogCloser closer{c.title, [&](GtkWidget* dialog) {
                          toolbarShown = run.main().toolbar().IsVisible();
                          if (c.act) c.act(dialog);
                        }};
    closer.Start();
    if (c.key != 0)
      PressKey(c.key);
    else
      ASSERT_TRUE(ClickToolbarButton(run.main().toolbar(), c.button)) << c.title;
    // The dialog is closed from within its own loop, so once it has been seen it has
    // also ended.
    EXPECT_TRUE(SpinUntil([&] { return closer.seen; })) << c.title;
    EXPECT_FALSE(toolbarShown) << c.title;
    EXPECT_TRUE(run.WaitForTrace(c.command)) << c.title;
    ASSERT_TRUE(run.WaitUntilKeysReachViewer()) << c.title;
  }
  // The music chosen in the background dialog was played, and Cancel brought the
  // folder's own background back.
  EXPECT_TRUE(run.WaitForCommand(kCmdPreviewMusic));
  EXPECT_EQ(run.CountTrace(preview), 1);
  EXPECT_TRUE(run.WaitForCommand(kCmdReapplyBackground));
  SetFileChooser(nullptr);
}

// A folder handed over after the tree listed its parent is selected in the tree; one
// the tree cannot reach leaves the tree's selection, yet the photo CD proposes the
// folder opened, never the one the tree still shows.
TEST(ViewerTools, ToolsActOnTheFolderOpenedWhateverTheTreeCanReach) {
  TempTree tree;
  std::string pictures = tree.Folder("Pictures");
  ASSERT_TRUE(AddPictureWithThumbnail(pictures + "/1.png", 0x3060c0));
  ViewerRun run(pictures);
  ASSERT_TRUE(run.WaitForTrace("painted thumbs kovp://thumblst/"));
  CFolderTreeDlg& folderTree = run.main().folderTree();
  ASSERT_EQ(folderTree.GetSelectedPath(), pictures);

  std::string made;
  for (const char* name : {"Pictures/First", "Pictures/Made later"}) {  // the second after Pictures was listed
    made = tree.Folder(name);
    ASSERT_TRUE(AddPictureWithThumbnail(made + "/1.png", 0xc06030));
    run.main().viewer().OpenLater(made, "");
    ASSERT_TRUE(SpinUntil([&] { return run.main().thumbList().shownFolder() == made; }));
    EXPECT_EQ(folderTree.GetSelectedPath(), made);
  }

  std::string hidden = tree.Folder("Pictures/.hidden");
  ASSERT_TRUE(AddPictureWithThumbnail(hidden + "/1.png", 0x30c060));
  run.main().viewer().OpenLater(hidden, "");
  ASSERT_TRUE(SpinUntil([&] { return run.main().thumbList().shownFolder() == hidden; }));
  EXPECT_EQ(folderTree.GetSelectedPath(), made);  // dot-named folders are not in the tree
  std::string proposed;
  DialogCloser closer{"Prepare Photo CD", [&](GtkWidget* dialog) { proposed = FirstEntryText(dialog); }};
  closer.Start();
  ASSERT_TRUE(ClickToolbarButton(run.main().toolbar(), kBtnPhotoCd));
  ASSERT_TRUE(SpinUntil([&] { return closer.seen; }));
  EXPECT_EQ(proposed, hidden);
}

}  // namespace test
}  // namespace kov

// The web-page tool end to end: seven pictures, the page loaded in a web view.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "tools/gui/WebThumbDlg.h"
#include "widgets/BrowserPane.h"

using namespace kov;
using namespace kov::test;

TEST(WebThumbDlg, SevenPicturesGiveAPageWhosePicturesAndLinksAllWork) {
  TempFolder temp;
  std::string folder = temp.MakeFolder("web");
  g_setenv("XDG_CONFIG_HOME", temp.MakeFolder("config").c_str(), TRUE);
  const char* names[] = {"a & b.jpg", "b.png", "c 100%.png", "d.jpg", "e.png", "f.png", "g.jpg"};
  for (const char* name : names)
    ASSERT_TRUE(WriteSplitPicture(folder + "/" + name, g_str_has_suffix(name, "jpg") ? "jpeg" : "png", 160, 80));
  temp.WriteFile("web/kovtn12.gif", "old");
  temp.WriteFile("web/kovbgimg.png", "background: never listed");
  RecordingLauncher launcher;
  SetUriLauncher(&launcher);
  FixedFolderPicker picker;
  picker.answer = folder;
  SetFolderPicker(&picker);

  CWebThumbDlg dialog;
  dialog.Create(nullptr);
  ShowAndWait(dialog.window());
  ClickCentre(dialog.browseButton());
  SetFolderPicker(nullptr);
  ASSERT_TRUE(gtk_widget_get_sensitive(dialog.okButton()));
  ClickCentre(dialog.okButton());
  ASSERT_TRUE(SpinUntil([&] { return !launcher.opened.empty(); }, 60000));
  SetUriLauncher(nullptr);
  g_unsetenv("XDG_CONFIG_HOME");

  EXPECT_FALSE(PathExists(folder + "/kovtn12.gif"));
  ASSERT_EQ(dialog.entries().size(), 7u);
  EXPECT_EQ(dialog.entries()[0].name, "a & b.jpg");
  EXPECT_EQ(dialog.entries()[0].sizeText, "160 x 80");
  gchar* page = g_filename_to_uri((folder + "/tnlist.htm").c_str(), nullptr, nullptr);
  EXPECT_EQ(launcher.opened, std::vector<std::string>{page});

  // The page in a web view: every picture shows, every link names a file of the folder.
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 900, 600}, 0);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(LoadAndWait(&pane, page));
  g_free(page);
  SpinUntil([&] {
    return ReadJson(&pane, "Array.from(document.images).every(i => i.complete)") == "true";
  });
  // For a person to look at, once the engine's drawing has reached the screen.
  SpinUntil([&] {
    long pixel = PixelAt(GTK_WIDGET(window), 60, 130);  // the seventh, in the second row
    return pixel != -1 && pixel != 0xffffff && pixel != 0xf6f5f4;
  });
  SaveScreenshot(GTK_WIDGET(window), "web-thumbnails");
  EXPECT_EQ(ReadJson(&pane, "document.images.length"), "7");
  EXPECT_EQ(ReadJson(&pane, "Array.from(document.images).every(i => i.naturalWidth > 0)"), "true");
  // Each is the 160 x 80 picture fitted to 120 pixels.
  EXPECT_EQ(ReadJson(&pane, "Array.from(document.images).map(i => i.naturalWidth + 'x' + i.naturalHeight)"),
            "[\"120x60\",\"120x60\",\"120x60\",\"120x60\",\"120x60\",\"120x60\",\"120x60\"]");
  std::string links = ReadJson(&pane, "Array.from(document.links).map(a => decodeURIComponent(a.pathname))");
  for (const char* name : names) EXPECT_NE(links.find(folder + "/" + name), std::string::npos) << name;
  EXPECT_EQ(ReadJson(&pane, "document.links.length"), "7");
  gtk_widget_destroy(GTK_WIDGET(window));
}

// A page that cannot be written, or a desktop that cannot open it, is said so once;
// the run is not answered as a success when no page was written.
TEST(WebThumbDlg, PageNotWrittenOrNotOpenedIsSaidSo) {
  for (bool pageReadOnly : {true, false}) {
    TempFolder temp;
    std::string folder = temp.MakeFolder("web");
    g_setenv("XDG_CONFIG_HOME", temp.MakeFolder("config").c_str(), TRUE);
    ASSERT_TRUE(WriteSplitPicture(folder + "/a.png", "png", 40, 30));
    temp.WriteFile("web/kovtn1.gif", "old thumbnail");
    temp.WriteFile("web/tnlist.htm", "old page");
    if (pageReadOnly) chmod((folder + "/tnlist.htm").c_str(), 0444);
    RecordingLauncher launcher;
    launcher.handlerFound = false;
    SetUriLauncher(&launcher);
    RecordingMessageBox messages;
    SetMessageBox(&messages);
    FixedFolderPicker picker;
    picker.answer = folder;
    SetFolderPicker(&picker);
    bool answer[2] = {false, false};  // answered at all, answered with OK

    CWebThumbDlg dialog;
    dialog.Create(nullptr);
    g_signal_connect(dialog.window(), "response", G_CALLBACK(+[](GtkDialog*, gint response, gpointer seen) {
                       static_cast<bool*>(seen)[0] = true;
                       static_cast<bool*>(seen)[1] = response == GTK_RESPONSE_OK;
                     }),
                     answer);
    ShowAndWait(dialog.window());
    ClickCentre(dialog.browseButton());
    ClickCentre(dialog.okButton());
    ASSERT_TRUE(SpinUntil([&] { return answer[0]; }, 60000));
    SetFolderPicker(nullptr);
    SetMessageBox(nullptr);
    SetUriLauncher(nullptr);
    g_unsetenv("XDG_CONFIG_HOME");

    ASSERT_EQ(messages.notices.size(), 1u) << pageReadOnly;
    EXPECT_NE(messages.notices[0].find(pageReadOnly ? "could not be written" : "no program was found"),
              std::string::npos)
        << messages.notices[0];
    EXPECT_EQ(answer[1], !pageReadOnly);
    EXPECT_EQ(launcher.opened.size(), pageReadOnly ? 0u : 1u);
    EXPECT_EQ(ReadFileText(folder + "/kovtn1.gif"), pageReadOnly ? "old thumbnail" : "<missing>");
  }
}

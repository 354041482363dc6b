// About: the version from the build, and a link that opens the guide only on a click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/Version.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "tools/UserGuide.h"
#include "tools/gui/AboutDlg.h"

using namespace kov;
using namespace kov::test;

TEST(AboutDlg, ShowsTheBuildVersionAndOnlyAClickOnTheLinkOpensTheGuide) {
  RecordingLauncher launcher;
  SetUriLauncher(&launcher);
  CAboutDlg about;
  about.Create(nullptr);
  ShowAndWait(about.window());
  EXPECT_EQ(gtk_label_get_text(GTK_LABEL(about.versionLabel())), std::string("KOV Version ") + ProgramVersion());
  // The program's own icon, not the theme's generic picture.
  EXPECT_EQ(gtk_image_get_storage_type(GTK_IMAGE(about.icon())), GTK_IMAGE_PIXBUF);
  SaveScreenshot(about.window(), "about");

  int x = 0, y = 0;
  CentreOf(about.link().widget(), &x, &y);
  MovePointerTo(x, y);
  ASSERT_TRUE(SpinUntil([&] { return about.link().hovering(); }));
  // Pressed on the link, dragged off and released outside: nothing opens.
  PressButton(true);
  MovePointerTo(x, y + 200);
  SpinFor(150);
  PressButton(false);
  EXPECT_TRUE(launcher.opened.empty());
  // A click on it opens the guide shipped with the program.
  ClickCentre(about.link().widget());
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], UserGuideUri());
  EXPECT_NE(launcher.opened[0], "");
  SetUriLauncher(nullptr);
}

// F7 opens the folder in a file manager, never in KOV, even where KOV is the
// desktop's handler for folders (an older install that claimed them).
#include <gtest/gtest.h>

#include "platform/UriLauncher.h"

using namespace kov;

TEST(UriLauncher, FoldersOpenInTheFirstHandlerThatIsNotThisProgram) {
  const DesktopHandler files{"org.gnome.Nautilus.desktop", "nautilus"};
  const DesktopHandler thunar{"thunar.desktop", "/usr/bin/thunar"};
  const DesktopHandler kov{"com.norvane.kov.desktop", "kov"};
  const DesktopHandler kovElsewhere{"kov-local.desktop", "/usr/local/bin/kov"};
  const DesktopHandler kovtool{"kovtool.desktop", "kovtool"};
  struct Case {
    const char* what;
    std::vector<DesktopHandler> handlers;  // the default first
    int chosen;
  } cases[] = {
      {"the default file manager", {files, thunar}, 0},
      {"KOV as the default", {kov, files, kov}, 1},
      {"KOV under another desktop file", {kovElsewhere, thunar}, 1},
      {"a name that only starts like KOV's", {kovtool, files}, 0},
      {"only KOV", {kov, kovElsewhere}, -1},
      {"a handler without an id", {{"", "nautilus"}, files}, 1},
      {"none", {}, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseFolderHandler(c.handlers), c.chosen) << c.what;
}

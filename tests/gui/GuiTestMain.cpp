// Window tests: a real toolkit and browser engine on an X display (Xvfb in ctest),
// without a window manager or under the one KOV_TEST_WM names.
#include <glib.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "pages/gui/KovpScheme.h"
#include "platform/gui/GtkSetup.h"
#include "tests/gui/WindowManager.h"
#include "tests/support/TempFolder.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The toolkit's own dialogs keep their settings in memory, not in the user's store.
  g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
  // A private home and data folder: what the tests trash lands there, never in the
  // user's trash, and on the file system of the temporary folders, so the home trash
  // takes it.
  kovtest::TempFolder home;
  g_setenv("HOME", home.path().c_str(), TRUE);
  g_setenv("XDG_DATA_HOME", home.MakeFolder("data").c_str(), TRUE);
  // The same tests once more under a real window manager, as users run KOV.
  const char* manager = g_getenv("KOV_TEST_WM");
  if (manager != nullptr && *manager != '\0' && !kov::test::StartWindowManager(manager)) {
    std::fprintf(stderr, "the window manager '%s' did not take the screen\n", manager);
    return 1;
  }
  // The tests drive X11 (XTest keys and clicks, root-window screenshots, the window
  // manager's messages), and so do the viewers they start, even from a Wayland desktop.
  g_setenv("GDK_BACKEND", "x11", TRUE);
  if (!kov::InitToolkit(&argc, &argv)) {
    std::fprintf(stderr, "no X display: the window tests need one (run under xvfb-run)\n");
    return 1;
  }
  if (!kov::CreateKovpWebEngine()) {
    std::fprintf(stderr, "the browser engine could not be set up\n");
    return 1;
  }
  int result = RUN_ALL_TESTS();
  kov::test::StopWindowManager();
  return result;
}

// Start-up of the window tests until a shared one exists: the toolkit on X11, then
// every test. Weak, so a main() of another test file takes its place at link time.
#include <glib.h>
#include <gtest/gtest.h>

#include "platform/gui/GtkSetup.h"

__attribute__((weak)) int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The toolkit's own dialogs keep their settings in memory, not in the user's store.
  g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
  if (!kov::InitToolkit(&argc, &argv)) {
    fprintf(stderr, "no display: the window tests need an X server (run under xvfb-run)\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}

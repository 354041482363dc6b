// KOV: a full-screen image browser.
#include "platform/gui/GtkSetup.h"

int main(int argc, char** argv) {
  if (!kov::InitToolkit(&argc, &argv)) return 1;  // no display: end silently
  return 0;
}

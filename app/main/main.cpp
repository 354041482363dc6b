// KOV: a full-screen image browser.
#include "app/ViewerApp.h"

int main(int argc, char** argv) {
  kov::CViewerApp app;
  return app.Run(&argc, &argv);
}

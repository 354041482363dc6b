#include "app/ViewerApp.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <memory>

#include "app/MainDlg.h"
#include "app/SnapshotDriver.h"
#include "pages/gui/KovpScheme.h"
#include "platform/Trace.h"
#include "platform/gui/GtkSetup.h"
#include "res/BuiltInMusic.h"

namespace kov {

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
}  // namespace

int CViewerApp::Run(int* argc, char*** argv) {
  OpenTrace(Env("KOV_TRACE"));
  if (!InitToolkit(argc, argv)) return 1;
  if (!CreateKovpWebEngine()) return 1;
  // The media player cannot read kovp URLs: the built-in music plays from a private
  // file. Without one the pages stay silent and nothing else changes.
  BuiltInMusicFile music;
  std::string musicUrl = GetBuiltInMusicFile(&music) ? music.url : kBuiltInMusicUrl;

  MainDlgOptions options;
  options.treeSources = ProgramFolderTreeSources();
  options.builtInMusicUrl = musicUrl;
  options.onEnded = [] { gtk_main_quit(); };
  CMainDlg mainDlg(std::move(options));
  mainDlg.Create();

  std::unique_ptr<CSnapshotDriver> driver;
  if (!Env("KOV_SCREENSHOT_DIR").empty()) {
    driver = std::make_unique<CSnapshotDriver>(mainDlg, Env("KOV_SCREENSHOT_DIR"));
    driver->Start();
  }
  gtk_main();
  TraceLine("ended");
  CloseTrace();
  return 0;
}

}  // namespace kov

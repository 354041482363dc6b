#include "app/ViewerApp.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/SnapshotDriver.h"
#include "app/logic/CommandLine.h"
#include "pages/gui/KovpScheme.h"
#include "platform/DrawingEnvironment.h"
#include "platform/EngineProcessPreload.h"
#include "platform/MediaBufferHeap.h"
#include "platform/SingleInstance.h"
#include "platform/Trace.h"
#include "platform/gui/GtkSetup.h"
#include "res/BuiltInMusic.h"

namespace kov {

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// gtk_init_check says nothing of why it failed: without this line the viewer would
// end silently. GDK tries the Wayland display first, then the X display.
void SayNoDisplay() {
  std::string named;
  for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
    const std::string value = Env(variable);
    if (!value.empty()) named += (named.empty() ? "" : ", ") + std::string(variable) + "=" + value;
  }
  if (named.empty())
    std::fputs("kov: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
  else
    std::fprintf(stderr, "kov: cannot open the display (%s)\n", named.c_str());
}

std::string WorkingFolder() {
  char* folder = g_get_current_dir();
  std::string out = folder;
  g_free(folder);
  return out;
}
}  // namespace

int CViewerApp::Run(int* argc, char*** argv) {
  // Before the single-instance check starts its bus thread: setting the environment
  // is not safe while other threads read it.
  ChooseDrawingWithoutGl();
  PreloadVoiceForEngineProcesses();
  KeepMediaBuffersOnTheLibraryHeap();
  // The command line is answered before the toolkit starts: --help, --version and a
  // bad command line need no display and never show a window. The toolkit's own
  // options are not taken, so it is started on the program's name alone.
  StartRequest start = ParseCommandLine(std::vector<std::string>(*argv + 1, *argv + *argc), WorkingFolder());
  switch (start.action) {
    case StartAction::kHelp: std::fputs(UsageText().c_str(), stdout); return 0;
    case StartAction::kVersion: std::fputs(VersionText().c_str(), stdout); return 0;
    case StartAction::kUsageError: std::fprintf(stderr, "%s\n", start.error.c_str()); return 2;
    case StartAction::kRun: break;
  }
  for (const std::string& line : start.skipped) std::fprintf(stderr, "%s\n", line.c_str());
  // A KOV already running shows the path instead; this start ends at once.
  CSingleInstance instance(kApplicationId);
  if (instance.Start(start.picture.empty() ? start.folder : start.picture) ==
      CSingleInstance::Role::kHandedOver)
    return 0;
  int toolkitArgc = 1;
  char** toolkitArgv = *argv;
  OpenTrace(Env("KOV_TRACE"));
  TraceLine("starting");
  if (!InitToolkit(&toolkitArgc, &toolkitArgv)) {
    SayNoDisplay();
    return 1;
  }
  TraceLine("toolkit started");
  if (!CreateKovpWebEngine()) {
    std::fputs("kov: the web engine could not be started\n", stderr);
    return 1;
  }
  TraceLine("engine made");
  // The media player cannot read kovp URLs: the built-in music plays from a private
  // file. Without one the pages stay silent and nothing else changes.
  BuiltInMusicFile music;
  std::string musicUrl = GetBuiltInMusicFile(&music) ? music.url : kBuiltInMusicUrl;

  MainDlgOptions options;
  options.treeSources = ProgramFolderTreeSources();
  options.builtInMusicUrl = musicUrl;
  options.onEnded = [] { gtk_main_quit(); };
  options.startFolder = start.folder;
  options.startPicture = start.picture;
  CMainDlg mainDlg(std::move(options));
  mainDlg.Create();
  TraceLine("windows made");
  instance.SetHandler([&mainDlg](const std::string& path) { mainDlg.ShowHandedOver(path); });

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

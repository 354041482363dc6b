#include "platform/EngineProcessPreload.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <string>

namespace kov {

namespace {

bool g_set = false;

// Where the voice this process has loaded lies; "" when it has not loaded it.
std::string LoadedLibraryPath(const char* name) {
  void* handle = dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) return "";
  std::string path;
  struct link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr) path = map->l_name;
  dlclose(handle);
  return path;
}

}  // namespace

void PreloadVoiceForEngineProcesses() {
#ifdef KOV_ENGINE_VOICE
  static bool asked = false;
  if (asked) return;
  asked = true;
  if (std::getenv("LD_PRELOAD") != nullptr) return;
  // The path the viewer loaded it from: the engine's processes need not search for it.
  const std::string path = LoadedLibraryPath(KOV_ENGINE_VOICE);
  if (path.empty() || path[0] != '/') return;
  g_set = setenv("LD_PRELOAD", path.c_str(), 0) == 0;
#endif
}

bool EngineProcessPreloadSet() { return g_set; }

}  // namespace kov

#include "platform/DrawingEnvironment.h"

#include <glib.h>

namespace kov {

namespace {

std::vector<std::string> g_set;

// The engine gives its page process a GPU's render node; naming one here spares it an
// EGL display made only to ask. The first node is what it would find; without a GPU
// there is none and nothing may open it: with the buffer sharing off, neither process
// draws through the device.
std::string RenderNode() {
  std::string first;
  if (GDir* dir = g_dir_open("/dev/dri", 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir)) {
      std::string node = name;
      if (node.rfind("renderD", 0) == 0 && (first.empty() || node < first)) first = node;
    }
    g_dir_close(dir);
  }
  return first.empty() ? "/dev/null" : "/dev/dri/" + first;
}

void SetUnlessSet(const char* name, const std::string& value) {
  if (g_getenv(name) != nullptr) return;
  g_setenv(name, value.c_str(), FALSE);
  g_set.push_back(name);
}

}  // namespace

void ChooseDrawingWithoutGl() {
  static bool chosen = false;
  if (chosen) return;
  chosen = true;
  // GDK would open a GLX context at display start to choose its visuals.
  SetUnlessSet("GDK_GL", "disable");
  // The engine's GPU buffer sharing needs an EGL display in the viewer; with it off
  // the page process hands over its painted pixels in shared memory, as it does for
  // pages drawn without the GPU.
  SetUnlessSet("WEBKIT_DISABLE_DMABUF_RENDERER", "1");
  SetUnlessSet("WEBKIT_WEB_RENDER_DEVICE_FILE", RenderNode());
}

const std::vector<std::string>& DrawingVariablesSet() { return g_set; }

}  // namespace kov

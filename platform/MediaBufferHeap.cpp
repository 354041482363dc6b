#include "platform/MediaBufferHeap.h"

#include <glib.h>

namespace kov {

namespace {

constexpr char kVariable[] = "WEBKIT_GST_DISABLE_FAST_MALLOC";
bool g_set = false;

}  // namespace

void KeepMediaBuffersOnTheLibraryHeap() {
  if (g_set || g_getenv(kVariable) != nullptr) return;
  g_set = g_setenv(kVariable, "1", FALSE);
}

const char* MediaBufferHeapVariableSet() { return g_set ? kVariable : nullptr; }

}  // namespace kov

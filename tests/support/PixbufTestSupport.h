#pragma once
// Test pictures encoded by GdkPixbuf, for the decoders and the pages that serve them.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>

namespace kovtest {

// The file bytes of pixbuf saved as format ("png", "jpeg", "bmp", ...); pixbuf is released.
inline std::string SavePixbuf(GdkPixbuf* pixbuf, const char* format) {
  gchar* buffer = nullptr;
  gsize length = 0;
  gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &length, format, nullptr, nullptr);
  g_object_unref(pixbuf);
  std::string bytes(buffer ? buffer : "", buffer ? length : 0);
  g_free(buffer);
  return bytes;
}

}  // namespace kovtest

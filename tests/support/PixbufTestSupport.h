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

// A small opaque picture of width x height in one colour.
inline GdkPixbuf* FlatPixbuf(int width, int height, guint32 rgba = 0x2060A0FF) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(pixbuf, rgba);
  return pixbuf;
}

// A real 16 x 16 baseline JPEG whose frame header claims width x height instead: a
// few hundred bytes that a decoder trusting the header takes for a huge picture.
inline std::string JpegClaiming(int width, int height) {
  std::string jpeg = SavePixbuf(FlatPixbuf(16, 16), "jpeg");
  for (size_t at = 2; at + 9 <= jpeg.size();) {
    unsigned char marker = static_cast<unsigned char>(jpeg[at + 1]);
    size_t length = size_t(static_cast<unsigned char>(jpeg[at + 2])) << 8 |
                    static_cast<unsigned char>(jpeg[at + 3]);
    if (marker == 0xC0) {
      jpeg[at + 5] = char(height >> 8), jpeg[at + 6] = char(height);
      jpeg[at + 7] = char(width >> 8), jpeg[at + 8] = char(width);
      return jpeg;
    }
    at += 2 + length;
  }
  return "";
}

}  // namespace kovtest

#include "tests/gui/BuilderTestSupport.h"

#include <glib/gstdio.h>
#include <gtest/gtest.h>
// X11's headers define macros (None, Bool) that clash with later headers: last.
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "formats/BmpWriter.h"
#include "formats/GifWriter.h"
#include "platform/Trace.h"
#include "tests/gui/GuiTestSupport.h"

namespace kov {
namespace test {

namespace {

bool IsLeft(int x, int width) { return x < width / 2; }

RgbTriple Rgb(unsigned colour) {
  return {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
}

}  // namespace

TraceShownOnFailure::TraceShownOnFailure(const std::string& folder)
    : path_(folder + "/trace.txt") {
  OpenTrace(path_);
}

TraceShownOnFailure::~TraceShownOnFailure() {
  CloseTrace();
  if (testing::Test::HasFailure()) std::fprintf(stderr, "trace:\n%s\n", ReadBytes(path_).c_str());
  g_unlink(path_.c_str());
}

bool WriteSplitPicture(const std::string& path, const char* format, int width, int height) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  if (pixbuf == nullptr) return false;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      RgbTriple c = Rgb(IsLeft(x, width) ? kLeftColour : kRightColour);
      guchar* p = pixels + size_t(y) * stride + size_t(x) * 3;
      p[0] = c[0], p[1] = c[1], p[2] = c[2];
    }
  }
  bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), format, nullptr, nullptr);
  g_object_unref(pixbuf);
  return saved;
}

bool WriteSplitBmp(const std::string& path, int width, int height) {
  size_t stride = (size_t(width) + 3) / 4 * 4;
  std::vector<uint8_t> rows(stride * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[y * stride + x] = IsLeft(x, width) ? 0 : 1;
  std::vector<uint8_t> bmp = MakeBmp8File(width, height, {Rgb(kLeftColour), Rgb(kRightColour)}, rows);
  return WriteBytes(path, std::string(bmp.begin(), bmp.end()));
}

bool WriteSplitGif(const std::string& path, int width, int height) {
  std::vector<uint8_t> pixels(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = IsLeft(x, width) ? 0 : 1;
  std::vector<uint8_t> gif =
      CGifWriter::WriteGif(width, height, 1, {Rgb(kLeftColour), Rgb(kRightColour)}, pixels);
  return WriteBytes(path, std::string(gif.begin(), gif.end()));
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<ReadRecord> ReadCacheRecords(const std::string& cachePath) {
  std::vector<ReadRecord> records;
  CThumbCache cache;
  if (!cache.OpenForRead(cachePath)) return records;
  ReadRecord record;
  while (cache.ReadNextPayload(&record.header, &record.payload)) records.push_back(record);
  return records;
}

std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
  while (const char* name = dir ? g_dir_read_name(dir) : nullptr) {
    if (std::string(name).rfind(prefix, 0) == 0) names.push_back(name);
  }
  if (dir) g_dir_close(dir);
  return names;
}

BuildResult RunWatchingStatus(CThumbBuilderDlg* dialog,
                              const std::function<void(const std::string&)>& onStatus) {
  CThumbBuilderDlg::SetStatusObserver([&onStatus](const std::string& status, GtkWidget*) { onStatus(status); });
  BuildResult result = dialog->Run();
  CThumbBuilderDlg::SetStatusObserver(nullptr);
  return result;
}

void HoldKey(unsigned keysym, bool down) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, CurrentTime);
  XFlush(display);
}

void ClickWidget(GtkWidget* widget) {
  int x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
  GtkAllocation box;
  gtk_widget_get_allocation(widget, &box);
  ClickAt(x + box.x + box.width / 2, y + box.y + box.height / 2, 1);
}

}  // namespace test
}  // namespace kov

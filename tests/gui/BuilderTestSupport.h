#pragma once
// Pictures, cache reading and timed actions for the thumbnail builder's window tests.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <functional>
#include <string>
#include <vector>

#include "thumbs/ThumbCache.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {
namespace test {

constexpr unsigned kLeftColour = 0xE01010;   // the left half of the split pictures
constexpr unsigned kRightColour = 0x1010E0;  // the right half

// A picture of width x height whose left half is kLeftColour and right half
// kRightColour, saved in a format gdk-pixbuf writes ("png", "jpeg").
bool WriteSplitPicture(const std::string& path, const char* format, int width, int height);
// The same picture as an 8-bit BMP and as a GIF, written by the program's own writers.
bool WriteSplitBmp(const std::string& path, int width, int height);
bool WriteSplitGif(const std::string& path, int width, int height);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

struct ReadRecord {
  ThumbHeader header;
  std::string payload;
};
// Every record of the cache file in file order; empty when it cannot be read.
std::vector<ReadRecord> ReadCacheRecords(const std::string& cachePath);
// Names in folder that start with prefix.
std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix);

// Runs the dialog with onStatus called each time the status text is set, with the
// text; returns the build's result. Every count is seen, however fast the pictures go.
BuildResult RunWatchingStatus(CThumbBuilderDlg* dialog,
                              const std::function<void(const std::string& status)>& onStatus);

// Keeps the program's trace in a file for as long as it lives, and prints it when
// the test has failed: why a picture got the placeholder, say.
class TraceShownOnFailure {
 public:
  explicit TraceShownOnFailure(const std::string& folder);
  ~TraceShownOnFailure();

 private:
  std::string path_;
};

// A key held down or let go through XTest.
void HoldKey(unsigned keysym, bool down);
// Clicks the middle of a widget through XTest.
void ClickWidget(GtkWidget* widget);

}  // namespace test
}  // namespace kov

// Pictures the engine cannot read itself, or would read at the wrong size: a TIFF
// gets a real thumbnail and shows in the picture view; a JPEG whose EXIF block
// turns it a quarter gets an upright thumbnail and its upright natural size.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "platform/CommandQueue.h"
#include "tests/support/PictureSamples.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "thumbs/CacheLocation.h"

using namespace kov;
using namespace kov::test;

namespace {

bool Near(uint32_t rgb, unsigned expected) {
  for (int shift : {16, 8, 0})
    if (std::abs(int((rgb >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 40) return false;
  return true;
}

// The split picture as a JPEG marked "orientation 6".
bool WriteTurnedJpeg(const std::string& path, int width, int height) {
  std::string plain = path + ".plain.jpg";
  if (!WriteSplitPicture(plain, "jpeg", width, height)) return false;
  std::string jpeg = ReadBytes(plain);
  std::remove(plain.c_str());
  return !jpeg.empty() && WriteBytes(path, samples::WithExifOrientation6(jpeg));
}

}  // namespace

TEST(DesktopFormats, TiffAndTurnedJpegGetUprightThumbnailsOfThemselves) {
  TempFolder folder;
  const std::string& dir = folder.path();
  ASSERT_TRUE(WriteSplitPicture(dir + "/scan.tif", "tiff", 600, 400));
  ASSERT_TRUE(WriteTurnedJpeg(dir + "/turned.jpg", 400, 200));

  CThumbBuilderDlg dialog(DirName(dir), dir, false);
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(dialog.Run(), BuildResult::kOk);

  struct Expected {
    int naturalWidth, naturalHeight, width, height;
    bool turned;  // the left half of the stored picture shows on top
  };
  const std::map<std::string, Expected> expected = {
      {"scan.tif", {600, 400, 120, 80, false}},
      {"turned.jpg", {200, 400, 60, 120, true}},
  };
  std::vector<ReadRecord> records = ReadCacheRecords(JoinPath(dir, kCacheFileName));
  ASSERT_EQ(records.size(), expected.size());
  for (const ReadRecord& r : records) {
    SCOPED_TRACE(r.header.name);
    const Expected& e = expected.at(r.header.name);
    EXPECT_EQ(r.header.width, e.naturalWidth);
    EXPECT_EQ(r.header.height, e.naturalHeight);
    samples::DecodedGif gif =
        samples::DecodeGif(std::vector<uint8_t>(r.payload.begin(), r.payload.end()));
    ASSERT_TRUE(gif.ok);
    EXPECT_NEAR(gif.width, e.width, 1);
    EXPECT_NEAR(gif.height, e.height, 1);
    size_t first = e.turned ? size_t(gif.height / 4) * gif.width + gif.width / 2
                            : size_t(gif.height / 2) * gif.width + gif.width / 4;
    size_t second = e.turned ? size_t(gif.height * 3 / 4) * gif.width + gif.width / 2
                             : size_t(gif.height / 2) * gif.width + gif.width * 3 / 4;
    EXPECT_TRUE(Near(gif.Rgb(first), kLeftColour)) << std::hex << gif.Rgb(first);
    EXPECT_TRUE(Near(gif.Rgb(second), kRightColour)) << std::hex << gif.Rgb(second);
  }
}

TEST(DesktopFormats, TiffShowsInThePictureView) {
  TempFolder folder;
  const std::string tiff = folder.path() + "/scan.tif";
  ASSERT_TRUE(WriteSplitPicture(tiff, "tiff", 600, 400));
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 800, 600}, 0);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(LoadAndWait(&pane, "kovp://image/" + PercentEncodePath(tiff)));
  EXPECT_TRUE(SpinUntil([&] {
    return ReadJson(&pane, "document.getElementById('pic').naturalWidth") == "600";
  }, 5000));
  // Centred in the window: the picture's own halves, not the broken-picture sign.
  EXPECT_TRUE(SpinUntil([&] {
    return Near(uint32_t(PixelAt(GTK_WIDGET(window), 250, 300)), kLeftColour) &&
           Near(uint32_t(PixelAt(GTK_WIDGET(window), 550, 300)), kRightColour);
  }, 5000));
  gtk_widget_destroy(GTK_WIDGET(window));
}

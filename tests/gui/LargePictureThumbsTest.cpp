// The thumbnail builder's window on pictures as cameras and wallpapers make them:
// large and noisy, so their decoding takes a while, built while two busy loops take
// the processor: on the decoding threads and in strips. Every thumbnail must show its own picture, never the
// blank page behind it.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "base/PathRules.h"
#include "tests/support/PictureSamples.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbStrip.h"

using namespace kov;
using namespace kov::test;

namespace {

struct Mean {
  double r = 0, g = 0, b = 0;
};

// A picture of width x height of random pixels around base (each channel +-24),
// with a random alpha of 224 to 255 when alpha is set. Noise keeps the file large
// and the decode slow, as in a photograph.
GdkPixbuf* NoisyPicture(int width, int height, unsigned base, bool alpha, uint32_t seed) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
  if (pixbuf == nullptr) return nullptr;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  int stride = gdk_pixbuf_get_rowstride(pixbuf);
  int channels = gdk_pixbuf_get_n_channels(pixbuf);
  uint32_t state = seed | 1;
  auto next = [&state] {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    return state;
  };
  for (int y = 0; y < height; ++y) {
    guchar* p = pixels + size_t(y) * stride;
    for (int x = 0; x < width; ++x, p += channels) {
      uint32_t noise = next();
      for (int c = 0; c < 3; ++c) {
        int v = int((base >> (16 - 8 * c)) & 0xFF) + int((noise >> (8 * c)) % 49) - 24;
        p[c] = guchar(std::clamp(v, 0, 255));
      }
      if (alpha) p[3] = guchar(224 + (noise >> 24) % 32);
    }
  }
  return pixbuf;
}

// The picture's mean colour as GdkPixbuf reads the file, laid over the white page.
Mean MeanOfFile(const std::string& path) {
  Mean mean;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), nullptr);
  if (pixbuf == nullptr) return mean;
  int width = gdk_pixbuf_get_width(pixbuf), height = gdk_pixbuf_get_height(pixbuf);
  int stride = gdk_pixbuf_get_rowstride(pixbuf), channels = gdk_pixbuf_get_n_channels(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  double sum[3] = {0, 0, 0};
  for (int y = 0; y < height; ++y) {
    const guchar* p = pixels + size_t(y) * stride;
    for (int x = 0; x < width; ++x, p += channels) {
      double a = channels == 4 ? p[3] / 255.0 : 1.0;
      for (int c = 0; c < 3; ++c) sum[c] += p[c] * a + 255 * (1 - a);
    }
  }
  double n = double(width) * height;
  g_object_unref(pixbuf);
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

Mean MeanOfGif(const samples::DecodedGif& gif) {
  double sum[3] = {0, 0, 0};
  size_t n = size_t(gif.width) * gif.height;
  for (size_t i = 0; i < n; ++i)
    for (int c = 0; c < 3; ++c) sum[c] += (gif.Rgb(i) >> (16 - 8 * c)) & 0xFF;
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

// Two threads that spin until the object goes: the machine is busy, as when the
// user's desktop works beside the builder.
class BusyLoops {
 public:
  BusyLoops() {
    for (int i = 0; i < 2; ++i)
      threads_.emplace_back([this] {
        volatile uint64_t n = 0;
        while (!stop_.load(std::memory_order_relaxed)) n = n + 1;
      });
  }
  ~BusyLoops() {
    stop_ = true;
    for (std::thread& t : threads_) t.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

}  // namespace

TEST(LargePictureThumbs, LargeNoisyPicturesBuiltUnderLoadShowTheirOwnColours) {
  struct Case {
    std::string name;
    const char* format;
    bool alpha;
    int width, height;
    unsigned base;
  };
  std::vector<Case> cases = {
      {"a.png", "png", true, 3200, 2000, 0x142878},  {"b.jpg", "jpeg", false, 4000, 3000, 0x1E3C8C},
      {"c.png", "png", true, 3000, 2400, 0x283C64},  {"d.jpg", "jpeg", false, 3600, 2400, 0x0A1E6E},
      {"e.png", "png", true, 3000, 3000, 0x3C5A28},  {"f.jpg", "jpeg", false, 4096, 4096, 0x501E1E},
  };
  // More than a strip holds: the last ones are decoded ahead while the first strip
  // is painted and stored, and go in a strip of their own, shown in the first one's
  // cells, tall pictures where wide ones were.
  for (unsigned i = 0; cases.size() <= kStripPictures + 2; ++i) {
    bool png = i % 3 == 2;
    cases.push_back({"m" + std::to_string(10 + i) + (png ? ".png" : ".jpg"), png ? "png" : "jpeg",
                     png, i % 2 ? 900 : 1200, i % 2 ? 1200 : 900, 0x10A0F0u - i * 0x0C0A06u});
  }
  TempFolder folder;
  TempFolder traceFolder;
  TraceShownOnFailure trace(traceFolder.path());
  const std::string& dir = folder.path();
  uint32_t seed = 1;
  for (const Case& c : cases) {
    GdkPixbuf* picture = NoisyPicture(c.width, c.height, c.base, c.alpha, seed++ * 2654435761u);
    ASSERT_NE(picture, nullptr);
    const std::string path = dir + "/" + c.name;
    bool saved = c.alpha ? gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, "compression",
                                           "1", nullptr)
                         : gdk_pixbuf_save(picture, path.c_str(), "jpeg", nullptr, "quality", "90",
                                           nullptr);
    g_object_unref(picture);
    ASSERT_TRUE(saved) << path;
  }

  BuildResult result;
  {
    BusyLoops busy;
    CThumbBuilderDlg dialog(DirName(dir), dir, false);
    ASSERT_TRUE(dialog.Create(nullptr));
    result = dialog.Run();
  }
  EXPECT_EQ(result, BuildResult::kOk);

  std::vector<ReadRecord> records = ReadCacheRecords(JoinPath(dir, kCacheFileName));
  ASSERT_EQ(records.size(), cases.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const Case& c = cases[i];
    const ReadRecord& r = records[i];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(r.header.name, c.name);
    EXPECT_EQ(r.header.width, c.width);
    EXPECT_EQ(r.header.height, c.height);
    samples::DecodedGif gif =
        samples::DecodeGif(std::vector<uint8_t>(r.payload.begin(), r.payload.end()));
    ASSERT_TRUE(gif.ok);
    // Fitted in proportion: a cell of the second strip that held a picture of another
    // shape keeps none of its scaling.
    EXPECT_EQ(std::max(gif.width, gif.height), 120);
    EXPECT_NEAR(std::min(gif.width, gif.height),
                std::lround(120.0 * std::min(c.width, c.height) / std::max(c.width, c.height)), 1);
    Mean want = MeanOfFile(dir + "/" + c.name), got = MeanOfGif(gif);
    EXPECT_NEAR(got.r, want.r, 16);
    EXPECT_NEAR(got.g, want.g, 16);
    EXPECT_NEAR(got.b, want.b, 16);
  }
}

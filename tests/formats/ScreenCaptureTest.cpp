#include <gtest/gtest.h>

#include <unistd.h>

#include "tests/support/PictureSamples.h"
#include "formats/BmpReader.h"
#include "formats/Dib.h"
#include "formats/ScreenCapture.h"

using namespace kov;

namespace {

// A 10 x 6 "screen" whose pixel (x, y) is (x, y, x + y), as RGB, RGBA or BGRA
// rows with 5 spare bytes at the end of each.
struct Screen {
  std::vector<uint8_t> bytes;
  PixelBuffer buffer;
  Screen(PixelLayout layout) {
    size_t step = layout == PixelLayout::kRgb ? 3 : 4, rowBytes = 10 * step + 5;
    bytes.assign(rowBytes * 6, 0xEE);
    for (uint32_t y = 0; y < 6; ++y)
      for (uint32_t x = 0; x < 10; ++x) {
        uint8_t* p = &bytes[y * rowBytes + x * step];
        bool bgr = layout == PixelLayout::kBgra;
        p[0] = uint8_t(bgr ? x + y : x), p[1] = uint8_t(y), p[2] = uint8_t(bgr ? x : x + y);
      }
    buffer = {bytes.data(), 10, 6, rowBytes, layout};
  }
};

// Decodes a capture's BMP file image and checks it shows screen pixels from (left, top).
void ExpectShows(const CScreenCapture& c, uint32_t left, uint32_t top, uint32_t w, uint32_t h) {
  std::vector<uint8_t> file = c.GetBmpFileImage();
  RgbImage img;
  ASSERT_TRUE(ReadBmpImage(file.data(), file.size(), &img, nullptr));
  ASSERT_EQ(img.width, w);
  ASSERT_EQ(img.height, int32_t(h));  // positive: bottom-up
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      const uint8_t* p = &img.rgb[((h - 1 - y) * size_t{w} + x) * 3];
      EXPECT_EQ(p[0], left + x);
      EXPECT_EQ(p[1], top + y);
      EXPECT_EQ(p[2], left + x + top + y);
    }
}

}  // namespace

TEST(ScreenCapture, DibAndFileImageLayout) {
  Screen screen(PixelLayout::kRgb);
  CScreenCapture c(screen.buffer, {1, 2, 6, 5});  // 5 x 3: rows padded from 15 to 16 bytes
  ASSERT_TRUE(c.HasDib());
  const std::vector<uint8_t>& dib = c.Dib();
  ASSERT_EQ(dib.size(), 40u + 16 * 3);
  EXPECT_EQ(dib[0], 40);
  EXPECT_EQ(dib[14], 24);             // bit count
  EXPECT_EQ(dib[20], 48);             // biSizeImage
  EXPECT_EQ(dib[40 + 15], 0);         // padding of the bottom row
  EXPECT_EQ(dib[40], 5);              // first stored pixel: bottom-left (1, 4), blue first
  EXPECT_EQ(dib[40 + 2], 1);
  std::vector<uint8_t> file = c.GetBmpFileImage();
  ASSERT_EQ(file.size(), dib.size() + 14);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[2] | file[3] << 8, int(dib.size() + 14));
  EXPECT_EQ(file[10], 54);
  ExpectShows(c, 1, 2, 5, 3);
}

TEST(ScreenCapture, EveryPixelLayoutGivesTheSamePicture) {
  for (PixelLayout layout : {PixelLayout::kRgb, PixelLayout::kRgba, PixelLayout::kBgra}) {
    Screen screen(layout);
    ExpectShows(CScreenCapture(screen.buffer, {0, 0, 10, 6}), 0, 0, 10, 6);
  }
}

TEST(ScreenCapture, RectanglesAreClippedToTheScreen) {
  Screen screen(PixelLayout::kRgba);
  ExpectShows(CScreenCapture(screen.buffer, {7, 4, 20, 30}), 7, 4, 3, 2);   // cut at the edges
  ExpectShows(CScreenCapture(screen.buffer, {-5, -2, 3, 2}), 0, 0, 3, 2);   // starts at 0
  for (CaptureRect empty : {CaptureRect{3, 3, 3, 5}, CaptureRect{4, 4, 2, 5},
                            CaptureRect{10, 0, 12, 6}, CaptureRect{-9, -9, -1, -1},
                            CaptureRect{0, 6, 10, 9}}) {
    CScreenCapture c(screen.buffer, empty);
    EXPECT_FALSE(c.HasDib()) << empty.left << "," << empty.top;
    EXPECT_TRUE(c.GetBmpFileImage().empty());
    EXPECT_FALSE(c.WriteBmpFile("/tmp/never-written.bmp"));
  }
  // Rows shorter than the layout needs are refused rather than over-read.
  PixelBuffer shortRows = screen.buffer;
  shortRows.rowBytes = 39;
  EXPECT_FALSE(CScreenCapture(shortRows, {0, 0, 2, 2}).HasDib());
}

TEST(ScreenCapture, WriteBmpFileWritesTheFileImage) {
  Screen screen(PixelLayout::kRgb);
  CScreenCapture c(screen.buffer, {2, 1, 9, 6});
  std::string path = testing::TempDir() + "capture-" + std::to_string(getpid()) + ".bmp";
  ASSERT_TRUE(c.WriteBmpFile(path));
  FILE* f = fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<uint8_t> bytes(4096);
  bytes.resize(fread(bytes.data(), 1, bytes.size(), f));
  fclose(f);
  unlink(path.c_str());
  EXPECT_EQ(bytes, c.GetBmpFileImage());
  EXPECT_FALSE(c.WriteBmpFile("/nonexistent-folder/x.bmp"));
}

TEST(Dib, ColourTableSizes) {
  std::vector<uint8_t> h = samples::BmpHeaders(1, 1, 8, 0, {}, 4);
  const uint8_t* info = h.data() + 14;
  EXPECT_EQ(DibNumColors(info, 40), 256u);
  EXPECT_EQ(DibColorTableSize(info, 40), 1024u);
  h[14 + 32] = 7;  // biClrUsed
  EXPECT_EQ(DibNumColors(info, 40), 7u);
  h[14 + 14] = 4, h[14 + 32] = 0;
  EXPECT_EQ(DibNumColors(info, 40), 16u);
  h[14 + 14] = 24;
  EXPECT_EQ(DibNumColors(info, 40), 0u);
  uint8_t core[12] = {12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0};  // 1-bit core header
  EXPECT_EQ(DibColorTableSize(core, 12), 6u);
  EXPECT_EQ(DibNumColors(core, 4), 0u);  // too short to tell: no table
}

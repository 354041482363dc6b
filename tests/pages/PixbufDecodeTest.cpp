// The page server's own decoder: pictures reach the engine reduced, upright, as a
// BMP or PNG; broken, truncated and absurd files are refused with a reason; a FIFO
// is never waited on. And which formats the engine is left to decode itself.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <string>
#include <vector>

#include "formats/PixbufDecode.h"
#include "pages/EngineFormats.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"
#include "tests/support/PixbufTestSupport.h"

using namespace kov;

namespace {

// A picture of width x height, left half red and right half blue, saved by GdkPixbuf.
std::string Encoded(const char* format, int width, int height, bool alpha = false) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
  int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      guchar* p = pixels + size_t(y) * stride + size_t(x) * channels;
      bool left = x < width / 2;
      p[0] = left ? 220 : 20, p[1] = 20, p[2] = left ? 20 : 220;
      if (alpha) p[3] = 128;
    }
  return kovtest::SavePixbuf(pixbuf, format);
}

DecodeResult Decode(const std::string& bytes, int32_t box, DecodedPicture* out, std::string* error) {
  return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), box, out, error);
}

}  // namespace

TEST(PixbufDecode, PicturesAreReducedUprightAndRefusedWithAReason) {
  const std::string jpeg = Encoded("jpeg", 1000, 500);
  struct Case {
    const char* what;
    std::string bytes;
    int32_t box;
    DecodeResult result;
    int32_t naturalWidth, naturalHeight, width, height;
    const char* fileStart;  // "BM" or "\x89PNG"; or a word of the reason when refused
  };
  const Case cases[] = {
      {"a large JPEG is fitted into the box", jpeg, 240, DecodeResult::kDecoded, 1000, 500, 240, 120, "BM"},
      {"whole size when no box", jpeg, 0, DecodeResult::kDecoded, 1000, 500, 1000, 500, "BM"},
      {"orientation 6 turns it upright", samples::WithExifOrientation6(jpeg), 240, DecodeResult::kDecoded, 500,
       1000, 120, 240, "BM"},
      {"transparency keeps a PNG", Encoded("png", 300, 600, true), 240, DecodeResult::kDecoded, 300,
       600, 120, 240, "\x89PNG"},
      {"a small picture keeps its size", Encoded("png", 100, 50), 240, DecodeResult::kDecoded, 100,
       50, 100, 50, "BM"},
      {"a strip keeps one pixel", Encoded("png", 4000, 2), 240, DecodeResult::kDecoded, 4000, 2,
       240, 1, "BM"},
      {"a TIFF", Encoded("tiff", 480, 320), 240, DecodeResult::kDecoded, 480, 320, 240, 160, "BM"},
      {"a JPEG cut short", jpeg.substr(0, jpeg.size() / 2), 240, DecodeResult::kUnreadable, 0, 0,
       0, 0, "cut short"},
      {"not a picture", "this is not a picture at all", 240, DecodeResult::kUnreadable, 0, 0, 0, 0,
       ""},
      {"empty", "", 240, DecodeResult::kUnreadable, 0, 0, 0, 0, "empty"},
      {"an X bitmap is refused",
       "#define t_width 2\n#define t_height 2\nstatic char t_bits[] = {0x01,0x02};\n", 240,
       DecodeResult::kUnreadable, 0, 0, 0, 0, ""},
      {"a PNG cut short", Encoded("png", 300, 200).substr(0, 400), 240, DecodeResult::kUnreadable,
       0, 0, 0, 0, "cut short"},
      {"an absurd size", std::string("P5\n60000 60000\n255\n") + std::string(64, 'x'), 240,
       DecodeResult::kTooLarge, 0, 0, 0, 0, "too large"},
      {"a side too long", std::string("P5\n70000 1\n255\n") + std::string(64, 'x'), 240,
       DecodeResult::kTooLarge, 0, 0, 0, 0, "too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DecodedPicture picture;
    std::string error;
    ASSERT_EQ(Decode(c.bytes, c.box, &picture, &error), c.result) << error;
    if (c.result != DecodeResult::kDecoded) {
      EXPECT_FALSE(error.empty());
      EXPECT_NE(error.find(c.fileStart), std::string::npos) << error;
      EXPECT_TRUE(picture.file.empty());
      continue;
    }
    EXPECT_EQ(picture.naturalWidth, c.naturalWidth);
    EXPECT_EQ(picture.naturalHeight, c.naturalHeight);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(picture.file.rfind(c.fileStart, 0), 0u);
    // The file handed over is the picture it claims, its left half (or, turned a
    // quarter clockwise, its top half) still red.
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(picture.file.data()),
                            picture.file.size(), nullptr);
    gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* back = gdk_pixbuf_loader_get_pixbuf(loader);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(back), c.width);
    EXPECT_EQ(gdk_pixbuf_get_height(back), c.height);
    bool turned = c.naturalWidth < c.naturalHeight && c.bytes.find("Exif") != std::string::npos;
    int x = turned ? c.width / 2 : c.width / 4, y = turned ? c.height / 4 : c.height / 2;
    const guchar* p = gdk_pixbuf_read_pixels(back) + size_t(y) * gdk_pixbuf_get_rowstride(back) +
                      size_t(x) * gdk_pixbuf_get_n_channels(back);
    if (c.width > 1) {
      EXPECT_GT(p[0], p[2]) << "red at " << x << "," << y;
    }
    g_object_unref(loader);
  }
  // A decode told to stop (its picture no longer wanted: a cancelled build) ends
  // without a picture.
  std::atomic<bool> stop{true};
  DecodedPicture untouched;
  std::string error;
  EXPECT_EQ(DecodePicture(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), 240, &untouched,
                          &error, 0, &stop),
            DecodeResult::kStopped);
  EXPECT_TRUE(untouched.file.empty());
}

TEST(PixbufDecode, OnlyRegularFilesAreRead) {
  kovtest::TempFolder folder;
  const std::string fifo = folder.path() + "/pipe.tif";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  DecodedPicture picture;
  std::string error;
  // No writer ever comes: a decoder that opened the FIFO for reading would wait for good.
  EXPECT_EQ(DecodePictureFile(fifo, 240, &picture, &error), DecodeResult::kUnreadable);
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  EXPECT_FALSE(EngineTakesFile(fifo));
  EXPECT_EQ(DecodePictureFile(folder.path(), 240, &picture, &error), DecodeResult::kUnreadable);
  EXPECT_EQ(DecodePictureFile(folder.path() + "/gone.tif", 240, &picture, &error),
            DecodeResult::kUnreadable);
}

TEST(EngineFormats, TheEngineKeepsItsOwnFormatsAndGetsTheRestDecoded) {
  const struct {
    std::string head;
    bool engine;
  } cases[] = {
      {"\xFF\xD8\xFF\xE0", true},         {"\x89PNG\r\n\x1A\n", true},
      {"GIF89a", true},                   {"BM\x36\0", true},
      {std::string("RIFF\x10\0\0\0WEBPVP8 ", 16), true},   {std::string("\0\0\1\0\1\0", 6), true},
      {"\xEF\xBB\xBF  <svg xmlns", true}, {"<?xml version", true},
      {"II*\0", false},                   {"MM\0*", false},
      {"P6\n4 4\n255\n", false},          {std::string("\0\0\0\x18" "ftypheic", 12), false},
      {"RIFF\x10\0\0\0WAVE", false},      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EngineDecodesFormat(reinterpret_cast<const uint8_t*>(c.head.data()), c.head.size()),
              c.engine)
        << c.head;
  }
}

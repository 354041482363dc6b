// Picture files made to harm the engine or the page server, as each picture URL
// answers them: bombs whose headers claim gigapixels in a few hundred bytes, files
// that are not regular files, a page named like a picture, a JPEG with data after
// its end. The engine is only ever handed a picture it can hold, as a picture.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/FileBytes.h"
#include "base/TextEscape.h"
#include "pages/DecodedPictures.h"
#include "pages/EngineFormats.h"
#include "pages/PageServer.h"
#include "res/Resources.h"
#include "tests/support/CacheTestSupport.h"
#include "tests/support/PixbufTestSupport.h"
#include "tests/support/TempFolder.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using kovtest::TempFolder;

namespace {

std::string Be32(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }

// A PNG of nothing but its IHDR (claiming width x height) and IEND; the CRCs are not
// checked before the size is.
std::string PngClaiming(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + Be32(width) + Be32(height) +
         std::string("\x08\x02\0\0\0\0\0\0\0\0\0\0\0IEND\xAE\x42\x60\x82", 21);
}

std::string GifClaiming(uint32_t width, uint32_t height) {
  return "GIF89a" + Le16(width) + Le16(height) + std::string("\0\0\0,\0\0\0\0", 8) + Le16(width) +
         Le16(height) + std::string("\0\2\2D\1\0;", 7);
}

std::string WebpClaiming(uint32_t width, uint32_t height) {
  auto le24 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16)}; };
  return std::string("RIFF\x16\0\0\0WEBPVP8X\x0A\0\0\0\0\0\0\0", 24) + le24(width - 1) + le24(height - 1);
}

std::string Jpeg(int width, int height) {
  return kovtest::SavePixbuf(kovtest::FlatPixbuf(width, height), "jpeg");
}

}  // namespace

TEST(HostilePicturePages, TheEngineGetsOnlyPicturesItCanHoldAndOnlyAsPictures) {
  TempFolder folder;
  const std::string jpeg = Jpeg(64, 48);
  folder.WriteFile("good.jpg", jpeg);
  folder.WriteFile("bomb.jpg", kovtest::JpegClaiming(60000, 2000));
  folder.WriteFile("bomb.png", PngClaiming(11000, 11000));
  folder.WriteFile("bomb.gif", GifClaiming(60000, 2000));
  folder.WriteFile("bomb.webp", WebpClaiming(20000, 20000));
  folder.WriteFile("header-only.gif", std::string("GIF89a\1\0\1\0\0\0\0;", 14) + std::string(6, '\0'));
  folder.WriteFile("trailing.jpg", jpeg + std::string("\xFF\xD8\xFF\xDA\0\x08 more data", 16));
  folder.WriteFile("page.jpg", "<html><script>window.external.Quit()</script></html>");
  ASSERT_EQ(symlink("/dev/zero", (folder / "zero.jpg").c_str()), 0);
  ASSERT_EQ(mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);

  struct Case {
    const char* name;
    bool viewedAsFile;        // the picture view names it by its file, not decoded
    const char* command;      // the picture URL asked for
    std::string mimeType;     // of its answer; "" for none
    uint64_t mostPixels;      // of a BMP answer; 0 when not a BMP
  };
  const Case cases[] = {
      {"good.jpg", true, "picture", "image/jpeg", 0},
      {"bomb.jpg", false, "decoded", "image/bmp", kMaxEnginePixels + 16384},  // reduced decode
      {"bomb.jpg", false, "reduced", "image/bmp", 240 * 240},
      {"bomb.png", false, "decoded", "", 0},
      {"bomb.png", false, "picture", "", 0},
      {"bomb.gif", false, "reduced", "", 0},
      {"bomb.webp", false, "decoded", "", 0},
      {"header-only.gif", false, "reduced", "", 0},
      {"trailing.jpg", true, "reduced", "image/bmp", 64 * 48},
      {"page.jpg", false, "picture", "", 0},
      {"page.jpg", false, "reduced", "", 0},
      {"zero.jpg", false, "decoded", "", 0},
      {"zero.jpg", false, "picture", "", 0},
      {"pipe.jpg", false, "reduced", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.name);
    const std::string path = folder / c.name;
    const std::string viewed = ViewPictureUrlOf(path);
    EXPECT_EQ(viewed.compare(0, 7, "file://") == 0, c.viewedAsFile) << viewed;
    PageResponse answer = ServePageUrl("kovp://" + std::string(c.command) + "/" + PercentEncodePath(path));
    if (c.mimeType.empty()) {
      EXPECT_EQ(answer.body, "");
      continue;
    }
    EXPECT_EQ(answer.mimeType, c.mimeType);
    if (c.mostPixels > 0) {
      ASSERT_GE(answer.body.size(), 26u);
      int64_t width = int32_t(uint8_t(answer.body[18]) | uint8_t(answer.body[19]) << 8 |
                              uint8_t(answer.body[20]) << 16 | uint32_t(uint8_t(answer.body[21])) << 24);
      int64_t height = int32_t(uint8_t(answer.body[22]) | uint8_t(answer.body[23]) << 8 |
                               uint8_t(answer.body[24]) << 16 | uint32_t(uint8_t(answer.body[25])) << 24);
      EXPECT_GT(width * height, 0);
      EXPECT_LE(uint64_t(width * height), c.mostPixels) << width << " x " << height;
      EXPECT_LE(width, kMaxEngineSide);
    }
  }
}

// A sparse file of 10 GB named like a photo is refused by its size before a byte of
// it is read: with 256 MB of address space to spare, reading it up to the size limit
// would not fit.
TEST(HostilePicturePages, AHugeSparseFileIsRefusedBeforeItIsRead) {
  TempFolder folder;
  const std::string path = folder / "photo.jpg";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(ftruncate(fileno(file), off_t{10} << 30), 0);
  std::fclose(file);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit room;
    getrlimit(RLIMIT_AS, &room);
    FILE* status = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (status == nullptr || std::fscanf(status, "%lu", &pages) != 1) _exit(3);
    room.rlim_cur = rlim_t(pages) * sysconf(_SC_PAGESIZE) + (rlim_t{256} << 20);
    setrlimit(RLIMIT_AS, &room);
    std::vector<uint8_t> bytes;
    std::string error;
    bool read = false;
    try {
      read = ReadFileBytes(path, &bytes, &error);
    } catch (...) {
      _exit(2);  // out of memory
    }
    _exit(read ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A cache file is anybody's to write: a record whose payload is a page, or a picture
// claiming more than a thumbnail's size, is answered by the placeholder picture; a
// thumbnail as the builder makes it is answered as it is.
TEST(HostilePicturePages, AThumbnailAddressAnswersOnlyAPicture) {
  const std::string thumbnail = cachetest::FakeGif(1, 200);
  // A BMP cut short is stored as it is: the cache converts only whole ones to GIF.
  const std::string bitmap = kovtest::SavePixbuf(kovtest::FlatPixbuf(120, 90), "bmp").substr(0, 100);
  const struct {
    const char* name;
    std::string payload;
    bool servedAsItIs;  // otherwise the placeholder
  } cases[] = {
      {"thumb.jpg", thumbnail, true},
      {"bitmap.jpg", bitmap, true},
      {"page.jpg", "<html><script>window.external.Quit()</script></html>", false},
      {"bomb.jpg", GifClaiming(65535, 65535), false},
      {"wide.jpg", GifClaiming(60000, 90), false},
      // A small screen whose image reaches far beyond it.
      {"reaching.jpg", thumbnail.substr(0, 19) + std::string("\x2C\0\0\0\0", 5) + Le16(60000) +
                           Le16(90) + std::string("\0\2\2D\1\0;", 7), false},
      {"bitmap-bomb.jpg", bitmap.substr(0, 18) + std::string("\x60\xEA\0\0\x60\xEA\0\0", 8) +
                              bitmap.substr(26), false},
      {"no-size.jpg", "GIF89a", false},
  };
  TempFolder folder;
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(MakeTempFileName(folder.path())));
  for (const auto& c : cases)
    ASSERT_TRUE(writer.AppendFile(folder.WriteFile(c.name, Jpeg(8, 8)), c.payload, 8, 8));
  const std::string cache = folder / "kovthumb.$$$";
  ASSERT_TRUE(writer.CommitTo(cache));
  std::string placeholder;
  ASSERT_TRUE(LoadResourceBytes(BinId::kPlaceholderThumbnail, &placeholder));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageResponse answer =
        ServePageUrl("kovp://thumbvw/" + PercentEncodePath(cache) + "/" + c.name + ".gif");
    EXPECT_EQ(answer.body, c.servedAsItIs ? c.payload : placeholder);
    EXPECT_EQ(answer.mimeType, answer.body.compare(0, 3, "GIF") == 0 ? "image/gif" : "image/bmp");
  }
}

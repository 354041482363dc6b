// The page server's decoded pictures: the thumbnail-making page's picture arrives
// reduced and upright, the picture view shows formats the engine cannot read as a
// BMP or PNG, a file the library cannot read goes out as it is, and an absurd or
// unreadable one as nothing.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/TextEscape.h"
#include "formats/DecodeAhead.h"
#include "pages/DecodedPictures.h"
#include "pages/PageServer.h"
#include "tests/support/TempFolder.h"
#include "thumbs/NaturalSizeMemo.h"
#include "tests/support/PixbufTestSupport.h"

using namespace kov;
using kovtest::TempFolder;

namespace {

std::string Picture(const char* format, int width, int height) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(pixbuf, 0x2040C0FF);
  return kovtest::SavePixbuf(pixbuf, format);
}

// The size of a BMP answer from its header (bottom-up rows: positive height).
std::pair<int32_t, int32_t> BmpSize(const std::string& bmp) {
  if (bmp.size() < 26 || bmp.compare(0, 2, "BM") != 0) return {0, 0};
  auto le32 = [&bmp](size_t at) {
    return int32_t(uint8_t(bmp[at]) | uint8_t(bmp[at + 1]) << 8 | uint8_t(bmp[at + 2]) << 16 |
                   uint32_t(uint8_t(bmp[at + 3])) << 24);
  };
  return {le32(18), le32(22)};
}

}  // namespace

TEST(DecodedPicturePages, PicturesReachTheEngineDecodedOrAsTheyAre) {
  TempFolder folder;
  const std::string jpeg = Picture("jpeg", 1200, 900);
  const std::string tiff = Picture("tiff", 300, 500);
  const std::string broken = "\xFF\xD8\xFF not really a JPEG";
  folder.WriteFile("photo.jpg", jpeg);
  folder.WriteFile("scan.tif", tiff);
  folder.WriteFile("broken.jpg", broken);
  folder.WriteFile("huge.pnm", "P6\n65000 65000\n255\n" + std::string(100, 'x'));
  folder.WriteFile("notes.txt", tiff);
  ASSERT_EQ(mkfifo((folder / "pipe.tif").c_str(), 0600), 0);

  struct Case {
    const char* command;
    const char* name;
    std::string mimeType;            // of the answer; "" for an empty one
    int32_t width, height;           // of a BMP answer, 0 when not a BMP
    int32_t naturalWidth, naturalHeight;  // remembered for the builder; 0 for none
    std::string body;                // the exact answer, when it is the file itself or nothing
  };
  const Case cases[] = {
      {"reduced", "photo.jpg", "image/bmp", 240, 180, 1200, 900, ""},
      {"reduced", "scan.tif", "image/bmp", 144, 240, 300, 500, ""},
      {"decoded", "scan.tif", "image/bmp", 300, 500, 0, 0, ""},
      {"reduced", "broken.jpg", "image/jpeg", 0, 0, 0, 0, broken},  // the engine tries it
      {"reduced", "huge.pnm", "", 0, 0, 0, 0, ""},                   // refused, not decoded
      {"decoded", "huge.pnm", "", 0, 0, 0, 0, ""},
      {"reduced", "pipe.tif", "", 0, 0, 0, 0, ""},                   // answered at once
      {"reduced", "notes.txt", "", 0, 0, 0, 0, ""},                  // not a picture's name
      {"decoded", "gone.tif", "", 0, 0, 0, 0, ""},
  };
  // Each case is served as decoded here, then as decoded ahead on worker threads
  // (more pictures wanted than are held: the last ones are decoded here after all).
  for (bool ahead : {false, true}) {
    SCOPED_TRACE(ahead ? "decoded ahead" : "decoded when asked");
    auto decodeAhead = std::make_shared<CDecodeAhead>(2, 4);
    if (ahead) {
      std::vector<std::string> wanted;
      for (const Case& c : cases)
        if (std::string(c.command) == "reduced") wanted.push_back(folder / c.name);
      decodeAhead->Want(wanted);
      decodeAhead->WaitUntilDecoded();
      SetActiveDecodeAhead(decodeAhead);
    }
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.command) + " " + c.name);
      RememberNaturalSize(folder / c.name, 0, 0);  // nothing left from the run before
      const std::string path = folder / c.name;
      PageResponse answer = ServePageUrl("kovp://" + std::string(c.command) + "/" + PercentEncodePath(path));
      EXPECT_EQ(answer.mimeType, c.mimeType.empty() ? "text/html" : c.mimeType);
      if (c.mimeType.empty() || !c.body.empty()) {
        EXPECT_EQ(answer.body, c.body);
      }
      if (c.width > 0) {
        EXPECT_EQ(BmpSize(answer.body), std::make_pair(c.width, c.height));
      }
      int32_t w = 0, h = 0;
      if (std::string(c.command) == "reduced") {
        EXPECT_EQ(RecallNaturalSize(path, &w, &h), c.naturalWidth > 0);
      }
      EXPECT_EQ(w, c.naturalWidth);
      EXPECT_EQ(h, c.naturalHeight);
    }
    SetActiveDecodeAhead(nullptr);
  }

  // The picture view names the engine's own formats by their file, the rest decoded.
  EXPECT_EQ(ViewPictureUrlOf(folder / "photo.jpg"), "file://" + PercentEncodePath(folder / "photo.jpg"));
  EXPECT_EQ(ViewPictureUrlOf(folder / "scan.tif"), "kovp://decoded/" + PercentEncodePath(folder / "scan.tif"));
  EXPECT_EQ(ViewPictureUrlOf(folder / "pipe.tif"), "kovp://decoded/" + PercentEncodePath(folder / "pipe.tif"));
  std::string page = ServePageUrl("kovp://image/" + PercentEncodePath(folder / "scan.tif")).body;
  EXPECT_NE(page.find("src=\"kovp://decoded/" + PercentEncodePath(folder / "scan.tif") + "\""),
            std::string::npos);
}

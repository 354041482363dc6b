// The caption's facts of a picture file: the upright size from its header, and the
// date and camera from its EXIF, however the camera wrote them.
#include <gtest/gtest.h>

#include <gexiv2/gexiv2.h>

#include <fstream>
#include <string>

#include "formats/PictureFacts.h"
#include "tests/support/PixbufTestSupport.h"
#include "tests/support/TempFolder.h"

using namespace kov;

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A JPEG of width x height with the given EXIF tags (tag, value pairs) set by exiv2.
std::string WriteJpeg(const std::string& path, int width, int height,
                      std::initializer_list<std::pair<const char*, const char*>> tags) {
  WriteFile(path, kovtest::SavePixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height), "jpeg"));
  if (tags.size() == 0) return path;
  gexiv2_initialize();
  GExiv2Metadata* metadata = gexiv2_metadata_new();
  EXPECT_TRUE(gexiv2_metadata_open_path(metadata, path.c_str(), nullptr));
  for (const auto& tag : tags) gexiv2_metadata_try_set_tag_string(metadata, tag.first, tag.second, nullptr);
  EXPECT_TRUE(gexiv2_metadata_save_file(metadata, path.c_str(), nullptr));
  g_object_unref(metadata);
  return path;
}

}  // namespace

TEST(PictureFacts, SizeDateAndCameraAsTheFileGivesThem) {
  kovtest::TempFolder folder;
  struct Case {
    const char* name;
    std::string path;
    int width, height;
    const char* date;
    const char* camera;
  };
  const Case cases[] = {
      {"no EXIF", WriteJpeg(folder / "plain.jpg", 40, 30, {}), 40, 30, "", ""},
      {"taken sideways", WriteJpeg(folder / "side.jpg", 40, 30,
                                   {{"Exif.Photo.DateTimeOriginal", "2019:07:14 10:22:31"},
                                    {"Exif.Image.Make", "Canon"}, {"Exif.Image.Model", "Canon EOS 5D"},
                                    {"Exif.Image.Orientation", "6"}}),
       30, 40, "2019-07-14 10:22", "Canon EOS 5D"},
      {"only the file date, maker beside model",
       WriteJpeg(folder / "old.jpg", 8, 8, {{"Exif.Image.DateTime", "2003:01:02 03:04:05"},
                                            {"Exif.Image.Make", "NIKON  "}, {"Exif.Image.Model", "E995"}}),
       8, 8, "2003-01-02 03:04", "NIKON E995"},
      {"a camera without a clock", WriteJpeg(folder / "noclock.jpg", 8, 8,
                                             {{"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"}}),
       8, 8, "", ""},
      {"no picture at all", (WriteFile(folder / "text.jpg", "not a picture"), folder / "text.jpg"), 0, 0, "", ""},
      {"no file", folder / "missing.jpg", 0, 0, "", ""},
  };
  for (const Case& c : cases) {
    PictureFacts facts = ReadPictureFacts(c.path);
    EXPECT_EQ(facts.width, c.width) << c.name;
    EXPECT_EQ(facts.height, c.height) << c.name;
    EXPECT_EQ(facts.dateTaken, c.date) << c.name;
    EXPECT_EQ(facts.camera, c.camera) << c.name;
  }
  EXPECT_EQ(ExifDateText("    :  :     :  :  "), "");
  EXPECT_EQ(ExifDateText("2019:07:14"), "");
}

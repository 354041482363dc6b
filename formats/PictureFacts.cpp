#include "formats/PictureFacts.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gexiv2/gexiv2.h>

#include <cctype>

namespace kov {
namespace {

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && (std::isspace(static_cast<unsigned char>(text[begin])) || text[begin] == '\0')) ++begin;
  while (end > begin && (std::isspace(static_cast<unsigned char>(text[end - 1])) || text[end - 1] == '\0')) --end;
  return text.substr(begin, end - begin);
}

std::string TagText(GExiv2Metadata* metadata, const char* tag) {
  if (!gexiv2_metadata_try_has_tag(metadata, tag, nullptr)) return "";
  gchar* value = gexiv2_metadata_try_get_tag_string(metadata, tag, nullptr);
  std::string text = value != nullptr ? Trimmed(value) : "";
  g_free(value);
  return text;
}

bool Turned(GExiv2Orientation orientation) {
  return orientation == GEXIV2_ORIENTATION_ROT_90_HFLIP || orientation == GEXIV2_ORIENTATION_ROT_90 ||
         orientation == GEXIV2_ORIENTATION_ROT_90_VFLIP || orientation == GEXIV2_ORIENTATION_ROT_270;
}

void ReadExif(const std::string& path, PictureFacts* facts) {
  static const bool ready = gexiv2_initialize();
  if (!ready) return;
  GExiv2Metadata* metadata = gexiv2_metadata_new();
  if (gexiv2_metadata_open_path(metadata, path.c_str(), nullptr) && gexiv2_metadata_has_exif(metadata)) {
    facts->dateTaken = ExifDateText(TagText(metadata, "Exif.Photo.DateTimeOriginal"));
    if (facts->dateTaken.empty()) facts->dateTaken = ExifDateText(TagText(metadata, "Exif.Image.DateTime"));
    facts->camera = CameraName(TagText(metadata, "Exif.Image.Make"), TagText(metadata, "Exif.Image.Model"));
    if (Turned(gexiv2_metadata_try_get_orientation(metadata, nullptr))) std::swap(facts->width, facts->height);
  }
  g_object_unref(metadata);
}

}  // namespace

std::string ExifDateText(const std::string& exifDate) {
  const std::string form = "dddd:dd:dd dd:dd";
  if (exifDate.size() < form.size()) return "";
  for (size_t i = 0; i < form.size(); ++i) {
    bool digit = std::isdigit(static_cast<unsigned char>(exifDate[i])) != 0;
    if (form[i] == 'd' ? !digit : exifDate[i] != form[i]) return "";
  }
  if (exifDate.compare(0, 4, "0000") == 0) return "";
  std::string text = exifDate.substr(0, form.size());
  text[4] = text[7] = '-';
  return text;
}

std::string CameraName(const std::string& make, const std::string& model) {
  std::string maker = Trimmed(make), name = Trimmed(model);
  if (name.empty()) return maker;
  if (maker.empty() || g_ascii_strncasecmp(name.c_str(), maker.c_str(), maker.size()) == 0) return name;
  return maker + " " + name;
}

PictureFacts ReadPictureFacts(const std::string& path) {
  PictureFacts facts;
  if (!g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) return facts;
  int width = 0, height = 0;
  if (gdk_pixbuf_get_file_info(path.c_str(), &width, &height) != nullptr && width > 0 && height > 0) {
    facts.width = width;
    facts.height = height;
  }
  ReadExif(path, &facts);
  return facts;
}

}  // namespace kov

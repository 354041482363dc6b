#pragma once
// What the caption says about a picture beyond its name: its upright pixel size and,
// when the file carries EXIF, the date it was taken and the camera. The EXIF fields
// are read by exiv2 (through gexiv2), which knows the many places cameras put them.
#include <string>

namespace kov {

struct PictureFacts {
  int width = 0;  // upright, as the viewer shows it; 0 when the header cannot be read
  int height = 0;
  std::string dateTaken;  // "2019-07-14 10:22", or "" without EXIF
  std::string camera;     // "Canon EOS 5D", or ""
};

// Reads only the file's header and metadata, never its pixels. Missing parts stay
// empty; a file that is no picture gives an empty result, never an error.
PictureFacts ReadPictureFacts(const std::string& path);

// EXIF's "2019:07:14 10:22:31" as "2019-07-14 10:22"; "" for anything else (cameras
// without a clock write blanks or zeros).
std::string ExifDateText(const std::string& exifDate);

// The camera's name from EXIF Make and Model: the model alone when it already starts
// with the maker's name ("Canon" + "Canon EOS 5D"), each trimmed of padding.
std::string CameraName(const std::string& make, const std::string& model);

}  // namespace kov

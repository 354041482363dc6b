#pragma once
// The thumbnails a user has marked in the list page (Ctrl+click draws a red border
// around a cell), read back from the page in one script call, and the picture files
// they stand for. The script only gathers what the page shows; which cells count as
// selected and which file each one names is decided here.
#include <cstddef>
#include <string>
#include <vector>

namespace kov {

// A JavaScript expression whose value is a flat array of strings, three for every td
// element of the page: its class name, its inline left border colour and the address
// of its first picture. Each string is encodeURIComponent'd, so the JSON holds no
// quote or backslash to unescape.
extern const char kThumbnailCellsScript[];

struct ThumbnailCell {
  std::string className;
  std::string leftBorderColour;
  std::string pictureUrl;  // "" when the cell holds no picture
};

// false (and no cells) unless json is such an array of a multiple of three strings.
bool ParseThumbnailCells(const std::string& json, std::vector<ThumbnailCell>* cells);

// A cell of class "pic" whose left border is red, as the page script writes it or as
// the engine reads it back ("#ff0000" or "rgb(255, 0, 0)"), any letter case.
bool IsSelectedCell(const ThumbnailCell& cell);

struct ThumbnailSelection {
  size_t cellCount = 0;            // selected cells, whether or not they name a file
  std::vector<std::string> files;  // their pictures in folder, page order, no repeats
};

// The selected cells and their files in folder: the picture address's last segment,
// percent-decoded, without its last extension. A cell whose name is empty, ".", ".."
// or holds '/' or NUL, or whose path would not fit PATH_MAX, names no file. A name
// the folder does not hold is taken as the one entry that differs from it only in
// letter case, as a click on the thumbnail is.
ThumbnailSelection SelectedPictures(const std::vector<ThumbnailCell>& cells,
                                    const std::string& folder);

// The picture file shown by the image under the pointer: a file:// picture, a
// kovp://picture/, decoded/ or reduced/ address, or a thumbnail of the list page
// (named in folder as its cell is). "" for anything else.
std::string PictureFileOfImageUrl(const std::string& url, const std::string& folder);

}  // namespace kov

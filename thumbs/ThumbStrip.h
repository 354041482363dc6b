#pragma once
// A strip: the pictures the builder renders together in one page, each in a cell of
// its own that holds the thumbnail-making page of that picture, so that one page
// load, one wait for a painted frame and one snapshot serve them all. The builder
// names a strip's pictures here and navigates to its URL; the page server reads
// them back by the URL's name part. Only the last few strips are kept.
#include <cstddef>
#include <string>
#include <vector>

namespace kov {

// Pictures a strip holds at most. A strip's fixed costs (the page load, the painted
// frame, the snapshot, the last store) are some 60 to 80 ms, a picture's own a few
// ms: at 32 they are 2 ms a picture, and a folder of 20 is one strip. The count in
// the builder's window still moves every strip, at most about 1.5 s for 12-megapixel
// photographs.
constexpr size_t kStripPictures = 32;

// Keeps the paths and gives the strip's page, "kovp://thumbstrip/<number>".
std::string ThumbStripUrl(const std::vector<std::string>& paths);
// The paths of the strip whose URL ends in name; false when there is none (any more).
bool ThumbStripPictures(const std::string& name, std::vector<std::string>* paths);

}  // namespace kov

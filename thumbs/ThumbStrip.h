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

// Pictures a strip holds at most: enough to share a page's fixed costs, few enough
// that the count in the builder's window moves often.
constexpr size_t kStripPictures = 16;

// Keeps the paths and gives the strip's page, "kovp://thumbstrip/<number>".
std::string ThumbStripUrl(const std::vector<std::string>& paths);
// The paths of the strip whose URL ends in name; false when there is none (any more).
bool ThumbStripPictures(const std::string& name, std::vector<std::string>* paths);

}  // namespace kov

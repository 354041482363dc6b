#pragma once
// The URLs by which pages show pictures decoded by the page server itself
// (DecodedPictureHandlers.cpp).
#include <string>

namespace kov {

// kovp://reduced/<percent-encoded path>: the picture fitted to twice the thumbnail's
// box, upright; empty when the path is not absolute.
std::string ReducedPictureUrlOf(const std::string& path);

// The URL the picture view (and a folder's background) shows a picture by:
// PictureUrlOf for a regular file the engine takes as it is (EngineTakesFile),
// kovp://decoded/<path> for every other file, which answers a decoded picture within
// the engine's limits, or nothing. Empty when the path is not absolute.
std::string ViewPictureUrlOf(const std::string& path);

}  // namespace kov

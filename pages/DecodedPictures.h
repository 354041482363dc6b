#pragma once
// The URLs by which pages show pictures decoded by the page server itself
// (DecodedPictureHandlers.cpp).
#include <string>

namespace kov {

// kovp://reduced/<percent-encoded path>: the picture fitted to twice the thumbnail's
// box, upright; empty when the path is not absolute.
std::string ReducedPictureUrlOf(const std::string& path);

// The URL the picture view shows a picture by: PictureUrlOf for the formats the
// engine reads (and for files it is left to refuse), kovp://decoded/<path> for
// every other picture file. Empty when the path is not absolute.
std::string ViewPictureUrlOf(const std::string& path);

}  // namespace kov

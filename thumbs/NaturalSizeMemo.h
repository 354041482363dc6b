#pragma once
// The natural sizes of the last pictures the page server decoded for the
// thumbnail-making page. The engine there receives a reduced picture, so its own
// natural size is the reduced one; the builder takes the picture's real size,
// upright, from here. Safe to use from any thread.
#include <cstdint>
#include <string>

namespace kov {

// A size of 0 x 0 records that the engine received the file itself, which then
// reports the natural size on its own.
void RememberNaturalSize(const std::string& path, int32_t width, int32_t height);
// False when path is not among the last pictures remembered, or went out whole.
bool RecallNaturalSize(const std::string& path, int32_t* width, int32_t* height);

}  // namespace kov

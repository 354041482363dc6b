#pragma once
// Whether a JPEG or PNG file ends before its picture does. GdkPixbuf shows such a
// file with its missing part filled in, without a word; the page server refuses
// it instead, as it refuses any other broken file.
#include <cstddef>
#include <cstdint>

namespace kov {

// True for a JPEG that ends before its end-of-image marker (bytes after that marker
// do not count), and for a PNG without its closing IEND chunk. Other formats: false
// (their loaders report it).
bool EndsBeforeThePicture(const uint8_t* data, size_t size);

}  // namespace kov

#pragma once
// The program's compiled-in resources: the HTML page templates (ids 155, 156, 157,
// 159, 160, 177, 180), the BIN resources (152 background picture, 153 music,
// 154 placeholder thumbnail) and the bitmaps of the toolbar and its buttons
// (24-bit BMP files, ids 134 to 149, 151, 161, 165, 166, 172 to 176).
#include <string>

namespace kov {

enum class ResourceType { kHtml, kBin, kBitmap };

// true and the resource's bytes when it exists.
bool LoadResourceBytes(int id, ResourceType type, std::string* bytes);

}  // namespace kov

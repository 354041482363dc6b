#pragma once
// The program's compiled-in resources: the HTML page templates (ids 155, 156, 157,
// 159, 160, 177) and the BIN resources (152 background picture, 153 music,
// 154 placeholder thumbnail).
#include <string>

namespace kov {

enum class ResourceType { kHtml, kBin };

// true and the resource's bytes when it exists.
bool LoadResourceBytes(int id, ResourceType type, std::string* bytes);

}  // namespace kov

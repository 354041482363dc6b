#pragma once
// The program's compiled-in resources: the HTML page templates, the BIN resources
// (background picture, music, placeholder thumbnail) and the bitmaps of the toolbar
// and its buttons.
#include <string>

#include "res/ResourceIds.h"

namespace kov {

// true and the resource's bytes when it exists; false for a number that names no
// resource of that kind (a BinId made from a kovp://bin/<number> URL, say).
bool LoadResourceBytes(TemplateId id, std::string* bytes);
bool LoadResourceBytes(BinId id, std::string* bytes);
bool LoadResourceBytes(BitmapId id, std::string* bytes);

// The address pages and statements name the built-in background picture by,
// kovp://bin/152.gif.
extern const char kBuiltInPictureUrl[];

// The script the picture page runs beside its template's own (zoom, turn, caption).
bool LoadPictureViewScript(std::string* script);

}  // namespace kov

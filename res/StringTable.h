#pragma once
// The program's string table: message-box texts, tooltips, file filters.
// Texts are stored as the program shows them ("\r\n" breaks lines); some are
// printf formats (kNoPicturesInFolder takes one %s, kDeleteQuestion one %lu).
#include "res/ResourceIds.h"

namespace kov {

// The text of string id, or nullptr when the table has no such string.
const char* LoadString(StringId id);

}  // namespace kov

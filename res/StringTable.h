#pragma once
// The program's string table: message-box texts, tooltips, file filters.
// Texts are stored as the program shows them ("\r\n" breaks lines); some are
// printf formats (5006 takes one %s, 5017 one %lu).

namespace kov {

// The text of string id, or nullptr when the table has no such string.
const char* LoadString(int id);

}  // namespace kov

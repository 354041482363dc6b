#pragma once
// The list of keys and mouse actions, written from the binding table in the four
// forms that show it: the key help page, `kov --help`, the manual page's KEYS section
// and the user guide's table. The documents hold the generated text between two
// marker lines; `kovtool keys` prints it and scripts/update-key-docs.sh puts it there.
#include <string>

namespace kov {

std::string KeyHelpHtml();      // a table for the information page
std::string KeyHelpText();      // indented lines for a terminal
std::string KeyHelpManPage();   // roff: one .SS per section, one .TP per binding
std::string KeyHelpMarkdown();  // one ### heading and table per section

// The marker lines around the generated text in docs/man/kov.1 and docs/USING.md.
extern const char kManKeysBegin[];
extern const char kManKeysEnd[];
extern const char kGuideKeysBegin[];
extern const char kGuideKeysEnd[];

// The text between the begin and end marker lines of document (the lines after the
// begin marker up to the end marker); false when either marker is missing.
bool GeneratedPart(const std::string& document, const std::string& begin, const std::string& end,
                   std::string* part);

}  // namespace kov

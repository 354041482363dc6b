#pragma once
// Where the user guide shipped with the program is: beside an installed program
// under share/doc/kov, else in the source tree it was built from.
#include <string>

namespace kov {

// The guide's path for a program at programPath built from sourceDir: the first of
// <program folder>/../share/doc/kov/USING.md and <sourceDir>/docs/USING.md that is a
// file; "" when neither is.
std::string FindUserGuide(const std::string& programPath, const std::string& sourceDir);

// file:// address of the running program's guide; "" when there is none.
std::string UserGuideUri();

}  // namespace kov

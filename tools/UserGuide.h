#pragma once
// Where the user guide shipped with the program is: beside an installed program
// under share/doc/kov, else in the source tree it was built from.
#include <string>

namespace kov {

// The guide's path for a program at programPath built from sourceDir and installed
// with installedGuide: the first of <program folder>/../share/doc/kov/USING.md,
// installedGuide and <sourceDir>/docs/USING.md that is a file (a copy of the program
// elsewhere, on a disc, links the installed guide); "" when none is.
std::string FindUserGuide(const std::string& programPath, const std::string& sourceDir,
                          const std::string& installedGuide);

// file:// address of the running program's guide; "" when there is none.
std::string UserGuideUri();

}  // namespace kov

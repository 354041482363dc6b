// The version is given by the build, so the About box and the command line agree
// with the package.
#include "res/Version.h"

#ifndef KOV_VERSION
#error "KOV_VERSION must be defined by the build"
#endif

namespace kov {

const char* ProgramVersion() { return KOV_VERSION; }

}  // namespace kov

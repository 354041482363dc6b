#pragma once
// The program's version, as the build names it (the CMake project version).

namespace kov {

const char* ProgramVersion();

}  // namespace kov

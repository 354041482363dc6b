#pragma once
// The program's name and version, as the command line, the About text and the
// desktop metadata give them. The version is the build's (the CMake project version).
namespace kov {

constexpr const char kProgramName[] = "KOV";
const char* ProgramVersion();

}  // namespace kov

#pragma once
// The program's name and version, as the command line, the About text and the
// desktop metadata give them.
namespace kov {
constexpr const char kProgramName[] = "KOV";
constexpr const char kProgramVersion[] = "3.6";
}  // namespace kov

#pragma once
// The path rules every subsystem shares. Paths are byte strings; '/' is the only
// separator, and '\' is an ordinary byte of a name.
#include <string>

namespace kov {

// Collapses every run of '/' to one and removes trailing '/' except for "/" itself.
std::string NormalizePath(const std::string& path);
// NormalizePath(folder + "/" + name): the one way folders and names are joined.
std::string JoinPath(const std::string& folder, const std::string& name);
// The last path component (after the last '/'); the whole text when there is none.
std::string BaseName(const std::string& path);
// Everything before the last '/' ("/" for a file in the root, "" when there is none).
std::string DirName(const std::string& path);
// An absolute path with "." and ".." resolved by text ("/a/b/../c" is "/a/c", and ".."
// above the root stays at the root), every run of '/' collapsed and no trailing '/'.
std::string ResolveDotSegments(const std::string& absolutePath);

}  // namespace kov

#pragma once
// What the viewer's command line asks for: nothing (the folder tree chooses), a
// folder to open as the walk's root, or a picture whose folder is opened and which is
// shown first; --help and --version answer and end; anything else is a usage error.
// Decided before any window exists, so a bad command line never shows one.
#include <string>
#include <vector>

namespace kov {

enum class StartAction { kRun, kHelp, kVersion, kUsageError };

struct StartRequest {
  StartAction action = StartAction::kRun;
  std::string folder;   // the walk's root, absolute; "" when the folder tree chooses
  std::string picture;  // absolute; "" when the thumbnails come first
  std::string error;    // kUsageError: one line for stderr, without its newline
  std::vector<std::string> skipped;  // kRun: a line for stderr for each path left out
};

// args without the program's name; relative paths are taken from workingFolder.
// Options come before "--". A file manager may hand over several paths, pictures
// and other files mixed: the first folder or picture is opened, and the paths that
// are neither are named in skipped; only when no path can be opened is it an error.
StartRequest ParseCommandLine(const std::vector<std::string>& args, const std::string& workingFolder);

// The request for one absolute path, as a later start hands it to the running viewer.
StartRequest RequestForPath(const std::string& path);

// Joins a relative path to folder and resolves "." and ".." by name, as a shell's
// own cd does; the result is normalised.
std::string AbsolutePath(const std::string& path, const std::string& folder);

std::string UsageText();    // for --help, with the keys; ends with a newline
std::string VersionText();  // for --version, ends with a newline

}  // namespace kov

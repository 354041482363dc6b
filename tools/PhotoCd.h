#pragma once
// Making a folder ready to be burnt as a disc that browses itself: AUTORUN.INF and
// autorun.sh, which start the copy of the program, kov.exe, placed beside them. The
// thumbnail caches are built by the caller (the builder's window).
#include <string>
#include <vector>

#include "thumbs/UnsavedCaches.h"

namespace kov {

// The 39 bytes of AUTORUN.INF: three lines, CR LF after the first two only.
extern const char kAutorunInf[];
constexpr size_t kAutorunInfSize = 39;
// The script a Linux desktop offers to run from a medium's root: it starts the
// program copy from the medium.
extern const char kAutorunSh[];

// true when root can become a disc's root: an existing folder on a fixed volume
// (not removable, remote or a CD-ROM).
bool CanPreparePhotoCd(const std::string& root);

enum class PhotoCdOutcome {
  kFilesWritten,    // the caches may be built next
  kAutorunFailed,   // StringId::kAutorunFailed; nothing written
  kProgramFailed,   // StringId::kProgramCopyFailed; the autorun files stay as written
};

// With autorun, writes AUTORUN.INF and an executable autorun.sh into root; without,
// removes AUTORUN.INF and an autorun.sh that is the one written here. Another script
// of that name is the user's and stays either way (*ownScriptKept, may be null, says
// so when autorun was asked for). Then copies program, byte for byte and
// executable, to root/kov.exe. Every file is written under a temporary name and
// renamed into place, so an earlier kov.exe stays whole until the new one is; a
// read-only file is neither replaced nor removed, and one that would have to be
// written fails the step. *error gives the reason of a failure.
PhotoCdOutcome WritePhotoCdFiles(const std::string& root, bool autorun, const std::string& program,
                                 std::string* error, bool* ownScriptKept = nullptr);

// What the user is told when the folder's own autorun.sh was kept.
extern const char kOwnAutorunKeptText[];

// What the user is told, instead of "Done!", when folders of the tree could not hold
// thumbnails of their own: the disc would be without them. "" for none.
std::string FoldersLeftWithoutThumbnailsText(const std::vector<UnsavedCache>& folders);

// The running program's own file; opening it reads the program even when its file
// was replaced since it started.
extern const char kRunningProgram[];

}  // namespace kov

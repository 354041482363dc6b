#pragma once
// Copying, moving and trashing one picture file for the selection commands. Each
// says what became of the file; on kFailed the system's reason is in error (when not
// null), as everywhere else in KOV. None of
// them ever replaces or destroys another file: an existing file of the same name in
// the destination is left alone, a copy is written under a temporary name and renamed
// without replacing, a move across file systems deletes the original only after the
// copy is synced and its size checked, and a delete goes to the desktop's trash.
#include <gio/gio.h>

#include <string>

namespace kov {

enum class FileOutcome {
  kDone,
  kAlreadyThere,  // the destination already holds a file of that name (maybe this one)
  kReadOnly,      // a read-only file is not deleted
  kFailed,        // the reason is in the caller's error text
};

// destFolder's entry for source: NormalizePath(destFolder + "/" + source's name).
// false when source has no name, destFolder is empty or the path would not fit
// PATH_MAX.
bool TransferTargetPath(const std::string& source, const std::string& destFolder,
                        std::string* target);

// Copies source (a regular file) into destFolder under its own name, keeping its
// permission bits and modification time. cancellable may be null.
FileOutcome CopyFileInto(const std::string& source, const std::string& destFolder,
                         GCancellable* cancellable, std::string* error);
// Moves source into destFolder under its own name: a rename that never replaces, or
// across file systems a copy that is synced and checked before the original goes.
FileOutcome MoveFileInto(const std::string& source, const std::string& destFolder,
                         GCancellable* cancellable, std::string* error);
// Sends path to the trash (g_file_trash). A read-only file, or one the trash cannot
// take, is left in place; nothing is ever deleted for good.
FileOutcome TrashFile(const std::string& path, GCancellable* cancellable, std::string* error);

// Writes a copy of source as target, replacing target (the user agreed to that), through
// a temporary file beside it. Copying a file onto itself does nothing; a read-only
// target is not replaced.
FileOutcome SaveFileCopy(const std::string& source, const std::string& target, std::string* error);

}  // namespace kov

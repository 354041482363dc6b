#pragma once
// Copying a file so that its destination is never seen half written: the bytes go
// to a temporary file in the destination's folder, which is renamed into place only
// once it is complete. The selection commands (files/FileTransfer) and the tools that
// write a whole file (photo CD, background, Save Picture) all copy through here.
#include <gio/gio.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace kov {

// How WriteTemporaryCopy makes and finishes the temporary file.
struct TemporaryCopyRules {
  mode_t mode = 0600;                  // the new file's permissions, less the umask
  const struct stat* keep = nullptr;   // when set, the copy takes these permission bits and
                                       // times, and must end up exactly keep->st_size long
  GCancellable* cancellable = nullptr;  // may be null
};

// The step at which WriteTemporaryCopy failed.
enum class CopyStep { kNone, kCreate, kCopy, kFinish };

// Writes what is left of descriptor in to a new hidden file in folder (a name that no
// reserved pattern matches), flushed to the disk. 0 and its path in *temp, or the
// errno with the failed step in *failed (may be null); then no file is left behind,
// though *temp still names the one that was made. The copy holds a lock on its file
// while it writes; the first copy of a run into a folder removes the partial copies
// there that nobody holds (left by a copy that was killed).
int WriteTemporaryCopy(int in, const std::string& folder, const TemporaryCopyRules& rules,
                       std::string* temp, CopyStep* failed);

// Renames temp over to, replacing it: 0 or the errno, and then temp is removed.
int ReplaceByTemporary(const std::string& temp, const std::string& to);

// Copies from into a new temporary file in folder with permissions mode (less the
// umask). true and its path in *temp when every byte was written and flushed; false
// with a reason in *error otherwise, and nothing is left behind.
bool CopyToTemporary(const std::string& from, const std::string& folder, mode_t mode, std::string* temp,
                     std::string* error);

// Whether path is a file without its owner's write permission: such a file is not
// replaced or removed, although its folder would let a rename replace it.
bool IsReadOnlyFile(const std::string& path);

// Renames temp over to, unless to is read-only; on failure temp is removed and
// *error says why.
bool MoveTemporaryInto(const std::string& temp, const std::string& to, std::string* error);

// CopyToTemporary into to's folder, then MoveTemporaryInto to: an existing to stays
// as it was unless the whole copy succeeded, and a read-only one stays in any case.
bool CopyFileAtomically(const std::string& from, const std::string& to, mode_t mode, std::string* error);

}  // namespace kov

#pragma once
// Copying a file so that its destination is never seen half written: the bytes go
// to a temporary file in the destination's folder, which is renamed into place only
// once it is complete.
#include <sys/types.h>

#include <string>

namespace kov {

// Copies from into a new temporary file in folder (a hidden name that no reserved
// pattern matches) with permissions mode (less the umask). true and its path in
// *temp when every byte was written and flushed; false with a reason in *error
// otherwise, and nothing is left behind.
bool CopyToTemporary(const std::string& from, const std::string& folder, mode_t mode, std::string* temp,
                     std::string* error);

// Renames temp over to; on failure temp is removed and *error says why.
bool MoveTemporaryInto(const std::string& temp, const std::string& to, std::string* error);

// CopyToTemporary into to's folder, then MoveTemporaryInto to: an existing to stays
// as it was unless the whole copy succeeded.
bool CopyFileAtomically(const std::string& from, const std::string& to, mode_t mode, std::string* error);

}  // namespace kov

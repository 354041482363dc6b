#pragma once
// Hidden temporary files that a writer renames into place once they are whole. A
// writer holds an advisory lock on its temporary for as long as it writes; one that
// nobody holds was left by a writer that was killed, and is removed when its folder
// is next written, so a folder (a photo CD about to be burnt) does not keep it.
#include <cstddef>
#include <string>

namespace kov {

// True for prefix followed by exactly randomLength more characters.
bool IsTemporaryName(const std::string& name, const std::string& prefix, size_t randomLength);

// Takes the writer's lock on an open temporary; false when another holds it.
bool LockTemporary(int fd);

// Removes the regular files in folder named as IsTemporaryName says that no writer
// holds; the number removed. Links, folders and held temporaries are left alone.
int RemoveStaleTemporaries(const std::string& folder, const std::string& prefix,
                           size_t randomLength);

}  // namespace kov

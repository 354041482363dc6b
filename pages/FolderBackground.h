#pragma once
// A folder's own background picture and music, as the pages and their statements
// name them.
#include <string>

namespace kov {

// The folder's own background picture (picture true) or music: the first kovbgimg.* /
// kovbgsnd.* entry that is a file of the right media type. false when there is none.
bool FindFolderBackgroundFile(const std::string& folder, std::string* out, bool picture);

}  // namespace kov

#pragma once
// Where the viewer asks for a folder's thumbnails to be built: the modal builder
// dialog for the folders from start (under base), recursive or not. true when the
// builder ran to its end; false when it was cancelled or is not available, in which
// case the list shows what the folder's cache holds.
#include <string>

namespace kov {

bool RunThumbnailBuilder(const std::string& base, const std::string& start, bool recursive);

}  // namespace kov

#pragma once
// Whether an image folder's thumbnail cache is current: it holds exactly the folder's
// pictures (image files that are not reserved names), each with the picture's present
// last-write time. Sizes play no part, so placeholder records count as current.
#include <string>

namespace kov {

bool IsFolderCurrent(const std::string& folder);
// The same with the application-data folder of the per-volume cache tree given.
bool IsFolderCurrentIn(const std::string& folder, const std::string& appData);

}  // namespace kov

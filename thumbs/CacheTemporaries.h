#pragma once
// The temporary files a cache is written to before it is renamed into place. They
// carry a hidden name (".kovthumb-XXXXXX") in the cache's own folder, so a build
// that was killed leaves nothing a user sees among the pictures. A writer holds an
// advisory lock on its temporary for as long as it writes; a temporary nobody holds
// is left over from a build that died, and is removed when that folder is next
// written.
#include <string>

namespace kov {

extern const char kCacheTempPrefix[];  // ".kovthumb-"

// True for a name MakeTempFileName makes: the prefix and six more characters.
bool IsCacheTempName(const std::string& name);

// Takes the writer's lock on an open temporary; false when another holds it.
bool LockCacheTemp(int fd);

// Removes the temporaries in folder that no writer holds; the number removed.
// Other files, and temporaries still being written, are left alone.
int RemoveStaleCacheTemps(const std::string& folder);

}  // namespace kov

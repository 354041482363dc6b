#pragma once
// Where the thumbnail cache of an image folder lives: the folder's own kovthumb.$$$
// when it exists (unless a build superseded it, below); otherwise kovthumb.$$$ in the
// folder when the folder can be written (FolderWritability.h) and is not on a CD-ROM;
// otherwise (a disc, a read-only mount,
// a share, another user's photos) a mirror of the folder's path in a per-volume tree:
//   <application data>/KOVTHUMB/<CRC-32 of the volume identity, 8 hex digits>/<path>/kovthumb.$$$
#include <cstdint>
#include <string>

#include "base/Crc32.h"
#include "platform/MountTable.h"

namespace kov {

extern const char kCacheFileName[];  // "kovthumb.$$$"

// Lookup mode (lookupOnly true) never creates anything and answers with the folder-local
// path whenever a level of the per-volume path is missing; create mode creates the levels
// and always answers with the per-volume path. An empty folder gives "".
std::string GetCachePath(const std::string& folder, bool lookupOnly);
// The same with the application-data folder given (GetCachePath uses the user cache dir).
std::string GetCachePathIn(const std::string& folder, bool lookupOnly, const std::string& appData);

// Where a build writes a folder's new cache: GetCachePath's create-mode answer, except
// for a folder that carries its own cache but cannot be written (a read-only mount, a
// share, another user's photos; not a disc): that stale cache is superseded by one in
// the per-user tree, which lookups find from then on.
std::string GetRebuildCachePath(const std::string& folder);
std::string GetRebuildCachePathIn(const std::string& folder, const std::string& appData);

// The per-volume directory name: CRC-32 of "label-filesystem-number-maxlength-flags" with
// 'A'-'Z' lowered, as 8 upper-case hex digits, where number is the CRC-32 of the whole
// volume UUID (lowered), or the serial when the UUID is unknown. The same disc gives
// the same name anywhere; two discs burned on the same day do not.
std::string VolumeCacheDirName(const VolumeInfo& volume);

// Creates a new empty file ".kovthumb-XXXXXX" in folder and returns its path; "" on
// failure, with the reason in error. Writers put the new cache there and rename it over
// the old one; the hidden name keeps a build that was killed from leaving a visible
// file among the pictures.
std::string MakeTempFileName(const std::string& folder, std::string* error = nullptr);

}  // namespace kov

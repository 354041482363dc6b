#include "thumbs/CacheLocation.h"
#include "base/Crc32.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/Fail.h"
#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "thumbs/CacheTemporaries.h"
#include "thumbs/FolderWritability.h"

namespace kov {

const char kCacheFileName[] = "kovthumb.$$$";

namespace {

bool PathExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder's path below its volume's mount point, split into levels. false when the
// folder is not below the mount point or a level is "." or "..", which could lead the
// mirror out of the cache tree.
bool PathBelowMount(const std::string& folder, const std::string& mountPoint,
                    std::vector<std::string>* levels) {
  std::string tail;
  if (mountPoint == "/") {
    tail = folder.substr(1);
  } else if (folder == mountPoint) {
    tail.clear();
  } else if (folder.compare(0, mountPoint.size() + 1, mountPoint + "/") == 0) {
    tail = folder.substr(mountPoint.size() + 1);
  } else {
    return false;
  }
  levels->clear();
  size_t start = 0;
  while (start < tail.size()) {
    size_t slash = tail.find('/', start);
    if (slash == std::string::npos) slash = tail.size();
    std::string level = tail.substr(start, slash - start);
    if (level == "." || level == "..") return false;
    if (!level.empty()) levels->push_back(level);
    start = slash + 1;
  }
  return true;
}

// Lookup mode: true when dir exists. Create mode: creates it (an existing one is fine);
// a failure shows later, when the cache file cannot be created there.
bool ReachLevel(const std::string& dir, bool lookupOnly) {
  if (lookupOnly) return IsDirectory(dir);
  mkdir(dir.c_str(), 0755);
  return true;
}

}  // namespace

namespace {
// The number that tells one volume from another in its identity. An ISO 9660 UUID
// is the disc's creation time, to the hundredth of a second, so its first 8 hex
// digits (the serial) are only the date: two discs burned on one day would share a
// cache folder. The CRC of the whole UUID, in lower case, tells them apart.
uint32_t VolumeNumber(const VolumeInfo& volume) {
  if (volume.uuid.empty()) return volume.serial;
  std::string uuid = volume.uuid;
  for (char& c : uuid)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return Crc32(uuid);
}
}  // namespace

std::string VolumeCacheDirName(const VolumeInfo& volume) {
  std::string identity = volume.label + "-" + volume.fileSystem + "-" +
                         std::to_string(VolumeNumber(volume)) + "-" +
                         std::to_string(volume.maxComponentLength) + "-" +
                         std::to_string(volume.flags);
  for (char& c : identity)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", Crc32(identity));
  return hex;
}

namespace {

// The cache path in the per-user tree for a folder on volume (reached as onDisc):
// lookup mode "" when a level is missing, create mode makes the levels; "" too when
// the folder's levels below the volume's root cannot be mirrored.
std::string UserTreeCachePath(const std::string& onDisc, const VolumeInfo& volume, bool lookupOnly,
                              const std::string& appData) {
  std::vector<std::string> levels;
  if (appData.empty() || !PathBelowMount(onDisc, NormalizePath(volume.mountPoint), &levels)) return "";
  std::string dir = JoinPath(appData, "KOVTHUMB");
  if (lookupOnly && !IsDirectory(dir)) return "";
  // The user's cache folder itself may not exist yet on a fresh account.
  if (!lookupOnly) g_mkdir_with_parents(dir.c_str(), 0755);
  dir = JoinPath(dir, VolumeCacheDirName(volume));
  if (!ReachLevel(dir, lookupOnly)) return "";
  for (const std::string& level : levels) {
    dir = JoinPath(dir, level);
    if (!ReachLevel(dir, lookupOnly)) return "";
  }
  std::string path = JoinPath(dir, kCacheFileName);
  return path;
}

// Where the cache of a folder goes, given whether a build is about to replace a stale
// one (rebuild) or the cache is looked up or made for the first time.
std::string CachePathFor(const std::string& folder, bool lookupOnly, bool rebuild,
                         const std::string& appData) {
  if (folder.empty()) return "";
  std::string local = JoinPath(folder, kCacheFileName);
  if (!IsDirectory(folder)) return local;
  const bool hasOwn = PathExists(local);
  // A folder's own cache on a writable disk is used without looking at the volume.
  if (hasOwn && GetFolderWritability().CanCreateFilesIn(folder)) return local;
  // One look at the volume, which the folder really is on (links followed): its kind,
  // and the folder's levels below its root, however the folder was reached.
  const std::string onDisc = ResolvedPath(NormalizePath(folder));
  VolumeInfo volume;
  if (!GetVolumeInfo(onDisc, &volume)) return local;
  // A disc's own cache is always the one used: nothing on a disc is rebuilt.
  if (hasOwn && volume.driveType == kDriveCdRom) return local;
  // A disc is never written; nor is a read-only mount, a share or another user's
  // folder: their caches go to the per-user tree, so they still get thumbnails.
  if (!hasOwn && volume.driveType != kDriveCdRom && GetFolderWritability().CanCreateFilesIn(folder))
    return local;
  if (hasOwn) {
    // The folder's own cache cannot be rewritten: a build supersedes it with one in
    // the per-user tree, which is the one read from then on.
    if (!lookupOnly && !rebuild) return local;
    std::string tree = UserTreeCachePath(onDisc, volume, lookupOnly, appData);
    if (tree.empty() || (lookupOnly && !PathExists(tree))) return local;
    return tree;
  }
  std::string tree = UserTreeCachePath(onDisc, volume, lookupOnly, appData);
  return tree.empty() ? local : tree;
}

}  // namespace

std::string GetCachePathIn(const std::string& folder, bool lookupOnly,
                           const std::string& appData) {
  return CachePathFor(folder, lookupOnly, false, appData);
}

std::string GetRebuildCachePathIn(const std::string& folder, const std::string& appData) {
  return CachePathFor(folder, false, true, appData);
}

std::string GetCachePath(const std::string& folder, bool lookupOnly) {
  const char* appData = g_get_user_cache_dir();
  return GetCachePathIn(folder, lookupOnly, appData ? appData : "");
}

std::string GetRebuildCachePath(const std::string& folder) {
  const char* appData = g_get_user_cache_dir();
  return GetRebuildCachePathIn(folder, appData ? appData : "");
}

std::string MakeTempFileName(const std::string& folder, std::string* error) {
  std::string pattern = JoinPath(folder.empty() ? "." : folder, std::string(kCacheTempPrefix) + "XXXXXX");
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  // Made with the permissions of any new file (0666 less the umask), not mkstemp's
  // 0600: the cache renamed over it from here must stay readable by other users.
  int fd = g_mkstemp_full(buffer.data(), O_RDWR, 0666);
  if (fd < 0) {
    Fail(error, pattern + ": " + g_strerror(errno));
    return "";
  }
  close(fd);
  return buffer.data();
}

}  // namespace kov

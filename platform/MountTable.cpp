// Volume lookup over the mount table: the longest mount-point prefix of a path,
// the kind of drive that mount is, and the volume's identity.
#include "platform/MountTable.h"

#include <sys/statvfs.h>

#include <cstdlib>

#include "base/PathRules.h"
#include "platform/BlockDevices.h"
#include "platform/DriveTypes.h"

namespace kov {
namespace {

const char* const kRemoteFileSystems[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "fuse.sshfs"};
const uint32_t kDefaultMaxComponentLength = 255;

bool IsPrefixOnComponents(const std::string& mountPoint, const std::string& path) {
  if (mountPoint == "/") return true;
  if (path.compare(0, mountPoint.size(), mountPoint) != 0) return false;
  return path.size() == mountPoint.size() || path[mountPoint.size()] == '/';
}

bool IsRemoteFileSystem(const std::string& type) {
  for (const char* remote : kRemoteFileSystems)
    if (type == remote) return true;
  return false;
}

uint32_t MaxComponentLength(const std::string& mountPoint) {
  struct statvfs stats {};
  if (statvfs(mountPoint.c_str(), &stats) == 0 && stats.f_namemax > 0 && stats.f_namemax < 65536)
    return static_cast<uint32_t>(stats.f_namemax);
  return kDefaultMaxComponentLength;
}

}  // namespace

const MountEntry* FindMountOf(const std::vector<MountEntry>& table, const std::string& path) {
  if (path.empty() || path[0] != '/') return nullptr;
  std::string resolved = ResolveDotSegments(NormalizePath(path));
  const MountEntry* best = nullptr;
  for (const MountEntry& entry : table) {
    std::string mountPoint = NormalizePath(entry.mountPoint);
    if (!IsPrefixOnComponents(mountPoint, resolved)) continue;
    if (!best || mountPoint.size() >= NormalizePath(best->mountPoint).size()) best = &entry;
  }
  return best;
}

int DriveTypeOfMount(const MountEntry& entry) {
  std::string device = BlockDeviceName(entry.source);
  if (entry.fileSystem == "iso9660") return kDriveCdRom;
  if (entry.fileSystem == "udf" && device.compare(0, 2, "sr") == 0) return kDriveCdRom;
  if (IsRemoteFileSystem(entry.fileSystem)) return kDriveRemote;
  if (IsRemovableBlockDevice(device)) return kDriveRemovable;
  return kDriveFixed;
}

std::string ResolvedPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  // The longest leading part that exists is resolved and the rest kept as text: a
  // cache file not written yet is still on the volume its folder is on.
  std::string head = NormalizePath(path), tail;
  while (head != "/") {
    char* real = realpath(head.c_str(), nullptr);
    if (real != nullptr) {
      std::string resolved = real;
      free(real);
      return tail.empty() ? resolved : NormalizePath(resolved + "/" + tail);
    }
    size_t slash = head.rfind('/');
    tail = tail.empty() ? head.substr(slash + 1) : head.substr(slash + 1) + "/" + tail;
    head = slash == 0 ? "/" : head.substr(0, slash);
  }
  return path;
}

bool GetVolumeInfo(const std::string& path, VolumeInfo* info) {
  if (path.empty() || path[0] != '/' || !info) return false;
  std::vector<MountEntry> table = ReadMountTable();
  const MountEntry* mount = FindMountOf(table, ResolvedPath(path));
  if (!mount) {
    // A chroot or a container may list no mount at "/" (or none at all): a path on
    // no listed mount is on the machine's own disk, a fixed volume rooted at "/".
    VolumeInfo local;
    local.mountPoint = "/";
    local.maxComponentLength = MaxComponentLength("/");
    local.driveType = kDriveFixed;
    *info = local;
    return true;
  }
  std::string device = BlockDeviceName(mount->source);
  VolumeInfo result;
  result.mountPoint = NormalizePath(mount->mountPoint);
  result.fileSystem = mount->fileSystem;
  result.label = FindDiskLinkName("by-label", device);
  result.uuid = FindDiskLinkName("by-uuid", device);
  result.serial = SerialFromUuid(result.uuid);
  result.maxComponentLength = MaxComponentLength(result.mountPoint);
  result.driveType = DriveTypeOfMount(*mount);
  *info = result;
  return true;
}

}  // namespace kov

#include "platform/BlockDevices.h"
#include "base/Crc32.h"

#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "base/DirHandle.h"
#include "base/PathRules.h"

namespace kov {

namespace {
std::string& SysRootOverride() {
  static std::string root;
  return root;
}
std::string& DevRootOverride() {
  static std::string root;
  return root;
}

std::string ReadLink(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  ssize_t length = readlink(path.c_str(), &target[0], target.size());
  if (length <= 0 || static_cast<size_t>(length) >= target.size()) return "";
  target.resize(static_cast<size_t>(length));
  return target;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// udev writes unsafe bytes of labels as \xHH ("My\x20Photos").
std::string DecodeUdevName(const std::string& name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && HexValue(name[i + 2]) >= 0 &&
        HexValue(name[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexValue(name[i + 2]) * 16 + HexValue(name[i + 3])));
      i += 3;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

bool ReadsOne(const std::string& path) {
  std::ifstream in(path);
  int value = 0;
  return in >> value && value == 1;
}

}  // namespace

void SetDeviceRootsForTesting(const std::string& sysRoot, const std::string& devRoot) {
  SysRootOverride() = sysRoot;
  DevRootOverride() = devRoot;
}

std::string SysRoot() { return SysRootOverride().empty() ? "/sys" : SysRootOverride(); }
std::string DevRoot() { return DevRootOverride().empty() ? "/dev" : DevRootOverride(); }

std::string BlockDeviceName(const std::string& source) {
  if (source.compare(0, 5, "/dev/") != 0) return "";
  std::unique_ptr<char, decltype(&free)> resolved(realpath(source.c_str(), nullptr), &free);
  return BaseName(resolved ? std::string(resolved.get()) : source);
}

bool IsRemovableBlockDevice(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  std::string device = SysRoot() + "/class/block/" + name;
  if (access((device + "/removable").c_str(), F_OK) == 0) return ReadsOne(device + "/removable");
  // A partition has no flag of its own; its folder sits inside its disk's folder.
  return ReadsOne(device + "/../removable");
}

std::string FindDiskLinkName(const std::string& folder, const std::string& deviceName) {
  if (deviceName.empty()) return "";
  std::string dir = DevRoot() + "/disk/" + folder;
  DirHandle listing = OpenDir(dir);
  if (!listing) return "";
  while (dirent* entry = readdir(listing.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (BaseName(ReadLink(dir + "/" + name)) == deviceName) return DecodeUdevName(name);
  }
  return "";
}

uint32_t SerialFromUuid(const std::string& uuid) {
  if (uuid.empty()) return 0;
  std::string digits;
  for (char c : uuid) {
    if (c == '-') continue;
    if (HexValue(c) < 0) return Crc32(uuid);
    digits.push_back(c);
  }
  if (digits.size() < 8) return Crc32(uuid);
  uint32_t serial = 0;
  for (size_t i = 0; i < 8; ++i) serial = serial * 16 + static_cast<uint32_t>(HexValue(digits[i]));
  return serial;
}

}  // namespace kov

// Mount table lines and their escapes, from hostile bytes: no crash, no read past the line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/BlockDevices.h"
#include "platform/MountTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  kov::MountEntry entry;
  if (kov::ParseMountInfoLine(text, &entry)) {
    std::vector<kov::MountEntry> table{entry};
    kov::FindMountOf(table, entry.mountPoint + "/a/../b");
  }
  kov::DecodeMountInfoField(text);
  kov::SerialFromUuid(text);
  return 0;
}

// libFuzzer target for the cache reader: any bytes as a cache file, enumerated with
// and without payloads and looked up by every name found, must neither crash nor read
// past the data (AddressSanitizer watches the buffers).
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "thumbs/ThumbCache.h"

namespace {

// A fresh file name per input, so no kept index of an earlier input can be reused.
std::string WriteInput(const uint8_t* data, size_t size) {
  static unsigned counter = 0;
  std::string path = "/tmp/fuzz_cache." + std::to_string(getpid()) + "." + std::to_string(counter++ % 64);
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return "";
  bool whole = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
  close(fd);
  return whole ? path : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = WriteInput(data, size);
  if (path.empty()) return 0;
  kov::CThumbCache cache;
  cache.OpenForRead(path);
  std::vector<std::string> names;
  kov::ThumbHeader header;
  char signature[4];
  while (cache.ReadNextRecord(&header, signature)) names.push_back(header.name);

  cache.OpenForRead(path);
  std::string payload;
  size_t withPayload = 0;
  while (cache.ReadNextPayload(&header, &payload)) {
    if (payload.size() != header.dataLength) __builtin_trap();
    ++withPayload;
  }
  if (withPayload != names.size()) __builtin_trap();  // both walks see the same records

  // Every listed record is found by its name (a name holding '/' is looked up by its
  // last part, so it may not be).
  for (const std::string& name : names)
    if (!cache.FindThumbnail(name, &payload) && !name.empty() &&
        name.find('/') == std::string::npos)
      __builtin_trap();
  cache.FindThumbnail("a.jpg", &payload);
  unlink(path.c_str());
  return 0;
}

#include "pages/EngineFormats.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "base/FileBytes.h"
#include "base/RegularFile.h"

namespace kov {

namespace {

bool HasPrefix(const uint8_t* head, size_t size, const char* magic, size_t length, size_t at = 0) {
  return size >= at + length && std::memcmp(head + at, magic, length) == 0;
}

// An SVG file is XML text: a byte-order mark and white space may come before its
// first '<'. Only "<?xml", "<svg" and "<!--" starts are taken as SVG.
bool LooksLikeSvg(const uint8_t* head, size_t size) {
  size_t at = HasPrefix(head, size, "\xEF\xBB\xBF", 3) ? 3 : 0;
  while (at < size && (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
    ++at;
  return HasPrefix(head, size, "<?xml", 5, at) || HasPrefix(head, size, "<svg", 4, at) ||
         HasPrefix(head, size, "<!--", 4, at);
}

}  // namespace

bool EngineDecodesFormat(const uint8_t* head, size_t size) {
  if (head == nullptr) return false;
  return HasPrefix(head, size, "\xFF\xD8\xFF", 3) || HasPrefix(head, size, "\x89PNG\r\n\x1A\n", 8) ||
         HasPrefix(head, size, "GIF8", 4) || HasPrefix(head, size, "BM", 2) ||
         (HasPrefix(head, size, "RIFF", 4) && HasPrefix(head, size, "WEBP", 4, 8)) ||
         HasPrefix(head, size, "\0\0\1\0", 4) || HasPrefix(head, size, "\0\0\2\0", 4) ||
         LooksLikeSvg(head, size);
}

std::string PictureTypeOf(const uint8_t* head, size_t size) {
  if (head == nullptr) return "";
  if (HasPrefix(head, size, "\xFF\xD8\xFF", 3)) return "image/jpeg";
  if (HasPrefix(head, size, "\x89PNG\r\n\x1A\n", 8)) return "image/png";
  if (HasPrefix(head, size, "GIF8", 4)) return "image/gif";
  if (HasPrefix(head, size, "BM", 2)) return "image/bmp";
  if (HasPrefix(head, size, "RIFF", 4) && HasPrefix(head, size, "WEBP", 4, 8)) return "image/webp";
  if (HasPrefix(head, size, "\0\0\1\0", 4) || HasPrefix(head, size, "\0\0\2\0", 4)) return "image/x-icon";
  if (HasPrefix(head, size, "II*\0", 4) || HasPrefix(head, size, "MM\0*", 4)) return "image/tiff";
  if (LooksLikeSvg(head, size)) return "image/svg+xml";
  return "";
}

bool FitsTheEngine(const PictureSize& size) {
  return size.width > 0 && size.height > 0 && size.width <= kMaxEngineSide &&
         size.height <= kMaxEngineSide &&
         uint64_t(size.width) * uint64_t(size.height) <= kMaxEnginePixels;
}

bool EngineTakesAsTheyAre(const uint8_t* head, size_t size) {
  if (!EngineDecodesFormat(head, size)) return false;
  PictureSize claimed;
  switch (ReadPictureHeaderSize(head, size, &claimed)) {
    case HeaderSize::kKnown: return FitsTheEngine(claimed);
    case HeaderSize::kUnknown: return false;
    case HeaderSize::kOther: return LooksLikeSvg(head, size);
  }
  return false;
}

bool EngineTakesFile(const std::string& path) {
  int fd = OpenRegularFile(path, nullptr);
  if (fd < 0) return false;
  struct stat info;
  std::vector<uint8_t> head(kPictureHeaderBytes);
  ssize_t got = -1;
  if (fstat(fd, &info) == 0 && uint64_t(info.st_size) <= kMaxPictureFileBytes)
    got = pread(fd, head.data(), head.size(), 0);
  close(fd);
  return got > 0 && EngineTakesAsTheyAre(head.data(), size_t(got));
}

}  // namespace kov

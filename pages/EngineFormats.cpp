#include "pages/EngineFormats.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

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

bool NeedsDesktopDecoder(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  uint8_t head[kFormatSniffBytes];
  ssize_t got = -1;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) got = read(fd, head, sizeof head);
  close(fd);
  return got > 0 && !EngineDecodesFormat(head, size_t(got));
}

}  // namespace kov

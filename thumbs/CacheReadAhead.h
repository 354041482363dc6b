#pragma once
// Reads a cache file's headers through a window of 64 KiB, so that a pass over many
// small records costs one read a window instead of one for each record: a cache of
// 100,000 records is read in some 450 reads.
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kov {

class CCacheReadAhead {
 public:
  explicit CCacheReadAhead(int fd) : fd_(fd) {}

  // Copies size bytes at offset into out (size at most the window); false on an error
  // or when the file ends first.
  bool Read(uint64_t offset, void* out, size_t size) {
    if (size > kWindow) return false;
    if (offset < start_ || offset + size > start_ + window_.size()) {
      if (!Fill(offset)) return false;
      if (size > window_.size()) return false;
    }
    std::memcpy(out, window_.data() + (offset - start_), size);
    return true;
  }

 private:
  static constexpr size_t kWindow = 64 * 1024;

  bool Fill(uint64_t offset) {
    window_.resize(kWindow);
    size_t held = 0;
    while (held < kWindow) {
      ssize_t got = pread(fd_, window_.data() + held, kWindow - held, static_cast<off_t>(offset + held));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        window_.clear();
        return false;
      }
      if (got == 0) break;
      held += static_cast<size_t>(got);
    }
    window_.resize(held);
    start_ = offset;
    return true;
  }

  int fd_;
  uint64_t start_ = 0;
  std::vector<unsigned char> window_;
};

}  // namespace kov

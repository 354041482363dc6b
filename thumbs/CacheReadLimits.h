#pragma once
// What a reader takes from a cache file. A record whose name cannot be a file of the
// cache's own folder ("", ".", ".." or a name holding '/') is passed over: its
// caption and its thumbnail's address would name another file than the one its cell
// acts on. Reading stops, with a reason, once a cache holds more records or more
// payload than any folder of pictures needs: a sparse file of a few kilobytes on the
// disk can otherwise claim a million thumbnails.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kov {

constexpr size_t kMaxCacheRecords = 100000;
constexpr uint64_t kMaxCachePayloadBytes = uint64_t{2} << 30;

// True for a name that can only be a file in the cache's own folder.
bool IsFolderEntryName(const std::string& name);

// Counts the records of one pass over a cache file.
class CCacheReadLimits {
 public:
  // Counts a record with a payload of dataLength bytes; false, with the reason kept,
  // when it would go beyond a limit (the record and all after it are not read).
  bool Admit(uint32_t dataLength);
  // Why the pass stopped early; "" while no limit was reached.
  const std::string& StopReason() const { return reason_; }

 private:
  size_t records_ = 0;
  uint64_t payloadBytes_ = 0;
  std::string reason_;
};

}  // namespace kov

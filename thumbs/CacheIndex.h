#pragma once
// The records of a cache file found by one pass over its headers, and a name index
// over them. A lookup through the index gives exactly what a scan from the start
// would: the first record with the exact name, else the one record whose name
// matches without regard to ASCII letter case (a cache made where file names ignore
// case may spell a name otherwise than the folder does).
// Indexes are kept per process and rebuilt whenever the file changes, so a page of
// n thumbnails costs one pass instead of n.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "thumbs/ThumbRecord.h"

namespace kov {

struct CacheRecordRef {
  ThumbHeader header;
  uint64_t payloadOffset = 0;  // file offset of the first payload byte
};

// Reads the headers of the file open as fd, whose size is fileSize. A header cut short,
// a payload longer than what remains of the file or a limit of CacheReadLimits.h ends
// the records; a record whose name is not a folder entry's is left out.
std::vector<CacheRecordRef> ScanCacheRecords(int fd, uint64_t fileSize);

// ASCII-only lower case: the comparison of names written on case-blind systems.
std::string AsciiLower(const std::string& text);

class CacheRecordIndex {
 public:
  explicit CacheRecordIndex(std::vector<CacheRecordRef> records);
  const CacheRecordRef* Find(const std::string& name) const;
  const std::vector<CacheRecordRef>& Records() const { return records_; }

 private:
  struct CaselessEntry {
    size_t first = 0;
    bool ambiguous = false;  // two different names share this lower-case form
  };
  std::vector<CacheRecordRef> records_;
  std::unordered_map<std::string, size_t> exact_;
  std::unordered_map<std::string, CaselessEntry> caseless_;
};

// The index of the file open as fd (whose path is path): reused while the file's
// identity, size and times are unchanged, else built anew. forceRescan drops a kept one.
std::shared_ptr<const CacheRecordIndex> GetCacheIndex(const std::string& path, int fd,
                                                      bool forceRescan = false);

}  // namespace kov

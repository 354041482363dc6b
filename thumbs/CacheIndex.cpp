#include "thumbs/CacheIndex.h"

#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "thumbs/CacheReadAhead.h"
#include "thumbs/CacheReadLimits.h"

namespace kov {
namespace {

// What identifies one version of a file: a replaced file has a new inode, an appended
// or rewritten one a new size or change time.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

bool StampOf(int fd, FileStamp* stamp) {
  struct stat st;
  if (fstat(fd, &st) != 0) return false;
  *stamp = FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
  return true;
}

struct KeptIndex {
  FileStamp stamp;
  std::shared_ptr<const CacheRecordIndex> index;
  uint64_t lastUse = 0;
};

constexpr size_t kMaxKeptIndexes = 16;

std::mutex& KeptMutex() {
  static std::mutex mutex;
  return mutex;
}

std::unordered_map<std::string, KeptIndex>& Kept() {
  static std::unordered_map<std::string, KeptIndex> kept;
  return kept;
}

void EvictLeastRecentlyUsed(std::unordered_map<std::string, KeptIndex>* kept) {
  auto oldest = kept->begin();
  for (auto it = kept->begin(); it != kept->end(); ++it)
    if (it->second.lastUse < oldest->second.lastUse) oldest = it;
  if (oldest != kept->end()) kept->erase(oldest);
}

}  // namespace

std::vector<CacheRecordRef> ScanCacheRecords(int fd, uint64_t fileSize) {
  std::vector<CacheRecordRef> records;
  uint64_t offset = 0;
  unsigned char raw[kThumbHeaderSize];
  CCacheReadLimits limits;
  CCacheReadAhead reader(fd);
  while (fileSize - offset >= kThumbHeaderSize) {
    if (!reader.Read(offset, raw, kThumbHeaderSize)) break;
    CacheRecordRef ref;
    ref.header = DecodeThumbHeader(raw);
    ref.payloadOffset = offset + kThumbHeaderSize;
    if (ref.header.dataLength > fileSize - ref.payloadOffset) break;
    if (!limits.Admit(ref.header.dataLength)) break;
    offset = ref.payloadOffset + ref.header.dataLength;
    if (IsFolderEntryName(ref.header.name)) records.push_back(std::move(ref));
  }
  return records;
}

std::string AsciiLower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

CacheRecordIndex::CacheRecordIndex(std::vector<CacheRecordRef> records)
    : records_(std::move(records)) {
  exact_.reserve(records_.size());
  caseless_.reserve(records_.size());
  for (size_t i = 0; i < records_.size(); ++i) {
    const std::string& name = records_[i].header.name;
    exact_.emplace(name, i);  // keeps the first record of a name
    auto inserted = caseless_.emplace(AsciiLower(name), CaselessEntry{i, false});
    CaselessEntry& entry = inserted.first->second;
    if (!inserted.second && records_[entry.first].header.name != name) entry.ambiguous = true;
  }
}

const CacheRecordRef* CacheRecordIndex::Find(const std::string& name) const {
  if (name.empty()) return nullptr;
  auto exact = exact_.find(name);
  if (exact != exact_.end()) return &records_[exact->second];
  auto caseless = caseless_.find(AsciiLower(name));
  if (caseless == caseless_.end() || caseless->second.ambiguous) return nullptr;
  return &records_[caseless->second.first];
}

std::shared_ptr<const CacheRecordIndex> GetCacheIndex(const std::string& path, int fd,
                                                      bool forceRescan) {
  static uint64_t useCounter = 0;
  FileStamp stamp;
  if (!StampOf(fd, &stamp) || stamp.size < 0) return nullptr;
  std::lock_guard<std::mutex> lock(KeptMutex());
  auto& kept = Kept();
  auto it = kept.find(path);
  if (it != kept.end() && !forceRescan && it->second.stamp == stamp) {
    it->second.lastUse = ++useCounter;
    return it->second.index;
  }
  auto index = std::make_shared<const CacheRecordIndex>(
      ScanCacheRecords(fd, static_cast<uint64_t>(stamp.size)));
  if (it == kept.end() && kept.size() >= kMaxKeptIndexes) EvictLeastRecentlyUsed(&kept);
  kept[path] = KeptIndex{stamp, index, ++useCounter};
  return index;
}

}  // namespace kov

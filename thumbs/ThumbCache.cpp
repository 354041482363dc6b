#include "thumbs/ThumbCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "base/Fail.h"
#include "base/PathRules.h"
#include "thumbs/CacheIndex.h"
#include "thumbs/CacheReadAhead.h"
#include "thumbs/CacheReadLimits.h"
#include "thumbs/CacheTemporaries.h"
#include "thumbs/PayloadConversion.h"

namespace kov {
namespace {

// Reads exactly size bytes at offset; false on an error or a short read.
bool ReadAt(int fd, uint64_t offset, void* buffer, size_t size) {
  auto* out = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    ssize_t got = pread(fd, out, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    out += got;
    offset += static_cast<uint64_t>(got);
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool SameRecord(const ThumbHeader& a, const ThumbHeader& b) {
  return a.name == b.name && a.lastWrite == b.lastWrite && a.dataLength == b.dataLength &&
         a.height == b.height && a.width == b.width;
}

}  // namespace

CThumbCache::~CThumbCache() { Close(); }

bool CThumbCache::FailWithErrno(const std::string& what, std::string* error) const {
  return Fail(error, what + ": " + std::strerror(errno));
}

bool CThumbCache::OpenForRead(const std::string& path, std::string* error) {
  Close();
  // O_NONBLOCK keeps a FIFO named like a cache from blocking the open.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FailWithErrno(path, error);
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Fail(error, path + ": not a regular file");
  }
  fd_ = fd;
  path_ = path;
  readAhead_ = std::make_unique<CCacheReadAhead>(fd);
  fileSize_ = static_cast<uint64_t>(st.st_size);
  readOffset_ = 0;
  if (fileSize_ == 0 || fileSize_ > kThumbHeaderSize) return true;
  return Fail(error, path + ": too short to hold a record");
}

bool CThumbCache::CreateForWrite(const std::string& path, std::string* error) {
  Close();
  // The temporary lies in a folder others may write to, and may have been swapped for
  // a link since it was made: a link is never followed, and only our own file with no
  // other name is emptied and written (the check comes before the truncation).
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return FailWithErrno(path, error);
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_uid != geteuid()) {
    ::close(fd);
    return Fail(error, path + ": not a file of our own");
  }
  if (ftruncate(fd, 0) != 0) {
    FailWithErrno(path, error);
    ::close(fd);
    return false;
  }
  // Held until the file is closed: a file being written is not a stale temporary.
  LockCacheTemp(fd);
  fd_ = fd;
  path_ = path;
  writing_ = true;
  return true;
}

void CThumbCache::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_.clear();
  writing_ = false;
  readOffset_ = 0;
  recordOffset_ = 0;
  fileSize_ = 0;
  limits_ = CCacheReadLimits();
  readAhead_.reset();
}

void CThumbCache::Discard() {
  std::string written = writing_ ? path_ : std::string();
  Close();
  if (!written.empty()) unlink(written.c_str());
}

bool CThumbCache::CommitTo(const std::string& finalPath, std::string* error) {
  if (!IsOpen() || !writing_) return Fail(error, "no cache is being written");
  std::string written = path_;
  bool synced = fsync(fd_) == 0;
  if (!synced) FailWithErrno(written, error);
  Close();
  if (synced && rename(written.c_str(), finalPath.c_str()) == 0) return true;
  if (synced) FailWithErrno(finalPath, error);
  unlink(written.c_str());
  return false;
}

bool CThumbCache::FindInIndex(const std::string& name, bool forceRescan, ThumbHeader* header,
                              std::string* payload, bool* stale) {
  *stale = false;
  auto index = GetCacheIndex(path_, fd_, forceRescan);
  const CacheRecordRef* ref = index ? index->Find(name) : nullptr;
  if (!ref) return false;
  // The kept index must still describe the bytes on disk; a mismatch means the file
  // changed under the same stamp, and the caller rescans.
  unsigned char raw[kThumbHeaderSize];
  if (!ReadAt(fd_, ref->payloadOffset - kThumbHeaderSize, raw, sizeof raw) ||
      !SameRecord(DecodeThumbHeader(raw), ref->header)) {
    *stale = true;
    return false;
  }
  std::string data(ref->header.dataLength, '\0');
  if (!data.empty() && !ReadAt(fd_, ref->payloadOffset, &data[0], data.size())) return false;
  ScramblePayload(ref->header.lastWrite, &data);
  if (header) *header = ref->header;
  if (payload) *payload = std::move(data);
  return true;
}

bool CThumbCache::FindRecord(const std::string& name, ThumbHeader* header, std::string* payload) {
  if (!IsOpen() || writing_) return false;
  std::string base = BaseName(name);
  if (base.empty()) return false;
  bool stale = false;
  if (FindInIndex(base, false, header, payload, &stale)) return true;
  return stale && FindInIndex(base, true, header, payload, &stale);
}

bool CThumbCache::FindThumbnail(const std::string& name, std::string* payload) {
  payload->clear();
  return FindRecord(name, nullptr, payload);
}

bool CThumbCache::ReadNextRecord(ThumbHeader* header, char* signature) {
  PayloadHead head;
  if (!ReadNextHead(header, signature ? &head : nullptr)) return false;
  if (signature) {
    std::memcpy(signature, head.bytes, 3);
    signature[3] = '\0';
  }
  return true;
}

bool CThumbCache::ReadNextHead(ThumbHeader* header, PayloadHead* head) {
  if (!IsOpen() || writing_) return false;
  while (readOffset_ < fileSize_) {
    unsigned char raw[kThumbHeaderSize + sizeof head->bytes];
    uint64_t remaining = fileSize_ - readOffset_;
    size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof raw, remaining));
    if (want < kThumbHeaderSize || !readAhead_->Read(readOffset_, raw, want)) break;
    ThumbHeader read = DecodeThumbHeader(raw);
    // A payload that does not fit, or a limit reached, ends the records here.
    if (read.dataLength > remaining - kThumbHeaderSize || !limits_.Admit(read.dataLength)) break;
    recordOffset_ = readOffset_;
    readOffset_ += kThumbHeaderSize + read.dataLength;
    if (!IsFolderEntryName(read.name)) continue;
    if (head) {
      *head = PayloadHead();
      head->size = std::min<size_t>({sizeof head->bytes, read.dataLength, want - kThumbHeaderSize});
      std::memcpy(head->bytes, raw + kThumbHeaderSize, head->size);
      ScramblePayload(read.lastWrite, head->bytes, head->size);
    }
    if (header) *header = std::move(read);
    return true;
  }
  readOffset_ = fileSize_;
  return false;
}

bool CThumbCache::ReadNextPayload(ThumbHeader* header, std::string* payload) {
  ThumbHeader read;
  if (!ReadNextRecord(&read, nullptr)) return false;
  std::string data(read.dataLength, '\0');
  if (!data.empty() && !ReadAt(fd_, recordOffset_ + kThumbHeaderSize, &data[0], data.size())) {
    readOffset_ = fileSize_;
    return false;
  }
  ScramblePayload(read.lastWrite, &data);
  *header = std::move(read);
  *payload = std::move(data);
  return true;
}

bool CThumbCache::WriteAll(const unsigned char* data, size_t size) {
  while (size > 0) {
    ssize_t put = write(fd_, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool CThumbCache::AppendRecord(ThumbHeader* header, const std::string& payload,
                               std::string* error) {
  if (!IsOpen() || !writing_ || !header) return Fail(error, "no cache is being written");
  if (payload.empty()) return Fail(error, "the thumbnail is empty");
  off_t end = lseek(fd_, 0, SEEK_END);
  if (end < 0) return FailWithErrno(path_, error);
  std::string stored;
  if (payload.size() < 2 || payload.compare(0, 2, "BM") != 0 ||
      !ConvertPayloadToGif(payload, &stored) || stored.empty())
    stored = payload;  // a BMP that cannot be converted is kept as BMP
  if (stored.size() > std::numeric_limits<uint32_t>::max())
    return Fail(error, "the thumbnail is too large for a record");
  header->dataLength = static_cast<uint32_t>(stored.size());
  unsigned char raw[kThumbHeaderSize];
  if (!EncodeThumbHeader(*header, raw))
    return Fail(error, header->name + ": the name does not fit a record");
  ScramblePayload(header->lastWrite, &stored);
  if (WriteAll(raw, sizeof raw) &&
      WriteAll(reinterpret_cast<const unsigned char*>(stored.data()), stored.size()))
    return true;
  // Cut off whatever part of the record reached the file and go back to the old end,
  // so the next record follows the last good one.
  FailWithErrno(path_, error);
  int cut = ftruncate(fd_, end);
  (void)cut;
  lseek(fd_, end, SEEK_SET);
  return false;
}

bool CThumbCache::AppendFile(const std::string& imagePath, const std::string& payload,
                             int32_t height, int32_t width, std::string* error) {
  struct stat st;
  if (imagePath.empty() || stat(imagePath.c_str(), &st) != 0) return FailWithErrno(imagePath, error);
  if (S_ISDIR(st.st_mode)) return Fail(error, imagePath + ": is a folder, not a picture");
  ThumbHeader header;
  header.name = BaseName(NormalizePath(imagePath));
  header.lastWrite = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  header.height = height;
  header.width = width;
  return AppendRecord(&header, payload, error);
}

}  // namespace kov

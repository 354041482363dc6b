#pragma once
// CThumbCache: reads and writes one thumbnail cache file (records back to back, no file
// header; see thumbs/ThumbRecord.h). A cache is never edited in place: the writer
// creates a new file (MakeTempFileName in the cache's folder), appends every record and
// renames it over the old one with CommitTo.
#include <cstdint>
#include <memory>
#include <string>

#include "thumbs/CacheReadAhead.h"
#include "thumbs/CacheReadLimits.h"
#include "thumbs/ThumbRecord.h"

namespace kov {

class CacheRecordIndex;

class CThumbCache {
 public:
  CThumbCache() = default;
  ~CThumbCache();
  CThumbCache(const CThumbCache&) = delete;
  CThumbCache& operator=(const CThumbCache&) = delete;

  // The operations below that can fail say why in *error when the caller asks.

  // Opens an existing file for reading, positioned at its first record. false when it
  // cannot be opened, or when its size is 1 to 284 bytes (it then stays open).
  bool OpenForRead(const std::string& path, std::string* error = nullptr);
  // Creates (or empties) the file for writing. A link, or a file that is not ours
  // alone (another owner, another name), is refused and left as it was.
  bool CreateForWrite(const std::string& path, std::string* error = nullptr);
  void Close();
  // Writing mode: closes and deletes the file. Reading mode: Close.
  void Discard();
  // Writing mode: closes the file and renames it over finalPath (atomic replacement).
  // On failure the file written so far is deleted and finalPath is left as it was.
  bool CommitTo(const std::string& finalPath, std::string* error = nullptr);

  bool IsOpen() const { return fd_ >= 0; }
  bool IsWriting() const { return writing_; }
  const std::string& Path() const { return path_; }

  // Reading mode: the record of an image name (its part after the last '/'): the first
  // with that exact name, else the one matching without regard to case. The payload is
  // unscrambled. false when there is none or its payload cannot be read whole.
  bool FindRecord(const std::string& name, ThumbHeader* header, std::string* payload);
  bool FindThumbnail(const std::string& name, std::string* payload);

  // Reading mode: the next record in file order. With a signature buffer (at least 4
  // bytes) it receives the first three unscrambled payload bytes and a NUL; a payload of
  // fewer bytes gives those it has, NUL-padded. false at the end of the records, where a
  // truncated header or a payload longer than the rest of the file also ends them, as
  // does a limit of CacheReadLimits.h (StopReason says which). Records whose name is
  // not a folder entry's are passed over.
  bool ReadNextRecord(ThumbHeader* header, char* signature);
  // The same with the first bytes of the payload, unscrambled: enough for its type and,
  // for a GIF, its size.
  struct PayloadHead {
    unsigned char bytes[10] = {};
    size_t size = 0;  // how many of them the payload has
  };
  bool ReadNextHead(ThumbHeader* header, PayloadHead* head);
  // ReadNextRecord with the whole unscrambled payload (to carry records over).
  bool ReadNextPayload(ThumbHeader* header, std::string* payload);
  // Why the records read in order ended before the end of the file at a limit; "" when
  // they did not.
  const std::string& StopReason() const { return limits_.StopReason(); }

  // Writing mode: appends the header and the scrambled payload. A BMP payload is turned
  // into a GIF where possible; header->dataLength becomes the stored length. On a failed
  // write the file is cut back to its length before the call and false is returned.
  bool AppendRecord(ThumbHeader* header, const std::string& payload,
                    std::string* error = nullptr);
  // AppendRecord with a header made for the image file at imagePath: its name and
  // last-write time. false when the image does not exist.
  bool AppendFile(const std::string& imagePath, const std::string& payload, int32_t height,
                  int32_t width, std::string* error = nullptr);

 private:
  bool FindInIndex(const std::string& name, bool forceRescan, ThumbHeader* header,
                   std::string* payload, bool* stale);
  bool WriteAll(const unsigned char* data, size_t size);
  // false with the system's reason for the last failed call, naming the file.
  bool FailWithErrno(const std::string& what, std::string* error) const;

  std::string path_;
  int fd_ = -1;
  bool writing_ = false;
  uint64_t readOffset_ = 0;
  uint64_t recordOffset_ = 0;  // where the record ReadNextHead gave last starts
  uint64_t fileSize_ = 0;
  CCacheReadLimits limits_;
  std::unique_ptr<CCacheReadAhead> readAhead_;  // the headers read in order
};

}  // namespace kov

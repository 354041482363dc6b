#include "thumbs/CacheReadLimits.h"

namespace kov {

bool IsFolderEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool CCacheReadLimits::Admit(uint32_t dataLength) {
  if (!reason_.empty()) return false;
  if (records_ >= kMaxCacheRecords) {
    reason_ = "the cache holds more than " + std::to_string(kMaxCacheRecords) +
              " records; the rest is not read";
    return false;
  }
  if (dataLength > kMaxCachePayloadBytes - payloadBytes_) {
    reason_ = "the cache's thumbnails take more than " +
              std::to_string(kMaxCachePayloadBytes >> 20) + " MB; the rest is not read";
    return false;
  }
  ++records_;
  payloadBytes_ += dataLength;
  return true;
}

}  // namespace kov

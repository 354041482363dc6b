#pragma once
// The response of one kovp request: handlers append, the browser drains it with Read.
// One heap block, 64 KiB to begin with, grown only when a response is larger. A NUL
// byte always stands behind the held data (length + 16 < capacity after an append).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "res/Resources.h"

namespace kov {

class CPageBuffer {
 public:
  static constexpr uint32_t kInitialCapacity = 65536;

  CPageBuffer();
  virtual ~CPageBuffer();
  CPageBuffer(const CPageBuffer&) = delete;
  CPageBuffer& operator=(const CPageBuffer&) = delete;

  // Empty text or no bytes append nothing and succeed; false when the block cannot grow.
  bool Append(const char* text);
  bool Append(const std::string& text);
  bool Append(const void* bytes, size_t n);
  // Appends the whole resource; false when it does not exist.
  bool AppendResource(TemplateId id);
  bool AppendResource(BinId id);

  // Copies up to cb unread bytes to dst; returns the count. Linear in the bytes read.
  size_t Read(void* dst, size_t cb);

  // Bytes appended since construction (never reduced by reading); 0 without a block.
  size_t GetTotalAppended() const;
  uint32_t GetCapacity() const;
  size_t GetLength() const;  // the unread bytes held
  bool HasBlock() const;

 private:
  // Write position with room for n more bytes (and the 16 spare ones), growing the
  // block as needed; nullptr when there is no block or it cannot grow. Mutex held.
  char* ReserveLocked(size_t n);

  std::unique_ptr<char[]> data_;
  uint32_t capacity_ = 0;
  size_t readPosition_ = 0;
  size_t length_ = 0;
  mutable std::mutex mutex_;
  size_t totalAppended_ = 0;
};

}  // namespace kov

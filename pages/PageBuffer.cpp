#include "pages/PageBuffer.h"

#include <cstring>
#include <limits>
#include <new>

namespace kov {

namespace {
constexpr uint64_t kSpareBytes = 16;
constexpr uint64_t kGrowthStep = 16384;
}  // namespace

CPageBuffer::CPageBuffer() : data_(new (std::nothrow) char[kInitialCapacity]) {
  if (data_) {
    capacity_ = kInitialCapacity;
    data_[0] = '\0';
  }
}

CPageBuffer::~CPageBuffer() = default;

bool CPageBuffer::Append(const char* text) {
  if (!text) return true;
  return Append(text, std::strlen(text));
}

bool CPageBuffer::Append(const std::string& text) { return Append(text.data(), text.size()); }

bool CPageBuffer::Append(const void* bytes, size_t n) {
  if (!bytes || n == 0) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  char* at = ReserveLocked(n);
  if (!at) return false;
  std::memcpy(at, bytes, n);
  at[n] = '\0';
  length_ += n;
  totalAppended_ += n;
  return true;
}

bool CPageBuffer::AppendResource(TemplateId id) {
  std::string bytes;
  return LoadResourceBytes(id, &bytes) && Append(bytes);
}

bool CPageBuffer::AppendResource(BinId id) {
  std::string bytes;
  return LoadResourceBytes(id, &bytes) && Append(bytes);
}

// The growth rule: the block grows by what is free now plus the smallest multiple of
// 16 KiB that covers the shortfall, so a 70000-byte append to a new buffer grows it
// once, to 147456 bytes. All arithmetic is 64-bit and the capacity must fit 32 bits.
char* CPageBuffer::ReserveLocked(size_t n) {
  if (!data_) return nullptr;
  if (n > std::numeric_limits<uint32_t>::max()) return nullptr;
  uint64_t free = capacity_ - length_;
  uint64_t need = n + kSpareBytes;
  if (free > need) return data_.get() + length_;
  uint64_t growth = ((need - free) + kGrowthStep) & ~(kGrowthStep - 1);
  uint64_t newCapacity = capacity_ + free + growth;
  if (newCapacity > std::numeric_limits<uint32_t>::max()) return nullptr;
  std::unique_ptr<char[]> block(new (std::nothrow) char[newCapacity]);
  if (!block) return nullptr;
  std::memcpy(block.get(), data_.get(), length_);
  data_ = std::move(block);
  capacity_ = static_cast<uint32_t>(newCapacity);
  return data_.get() + length_;
}

// Reading moves a read position over the held bytes instead of moving the unread
// ones to the front at every call, which made draining a response quadratic: a
// 100 MB picture read in 16 KiB pieces moved some 300 GB. Once everything is read
// the block is empty again and appends start at its front.
size_t CPageBuffer::Read(void* dst, size_t cb) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!data_ || readPosition_ >= length_ || !dst) return 0;
  size_t k = std::min(cb, length_ - readPosition_);
  std::memcpy(dst, data_.get() + readPosition_, k);
  readPosition_ += k;
  if (readPosition_ == length_) {
    readPosition_ = 0;
    length_ = 0;
    data_[0] = '\0';
  }
  return k;
}

size_t CPageBuffer::GetTotalAppended() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return data_ ? totalAppended_ : 0;
}

uint32_t CPageBuffer::GetCapacity() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return capacity_;
}

size_t CPageBuffer::GetLength() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return length_ - readPosition_;
}

bool CPageBuffer::HasBlock() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return data_ != nullptr;
}

}  // namespace kov

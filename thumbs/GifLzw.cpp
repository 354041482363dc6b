#include "thumbs/GifLzw.h"

#include <algorithm>

namespace kov {

void CGifLzwEncoder::Compress(const uint8_t* pixels, size_t count, int minCodeSize,
                              std::vector<uint8_t>* out) {
  if (count == 0) return;
  out_ = out;
  initBits_ = minCodeSize + 1;
  nBits_ = initBits_;
  maxCode_ = (1 << nBits_) - 1;
  clearCode_ = 1 << minCodeSize;
  endCode_ = clearCode_ + 1;
  freeCode_ = clearCode_ + 2;
  clearFlag_ = false;
  accumulator_ = 0;
  accumulatedBits_ = 0;
  blockLength_ = 0;
  std::fill(hash_, hash_ + kHashSize, -1);
  OutputCode(clearCode_);

  int ent = pixels[0];
  for (size_t p = 1; p < count; ++p) {
    FindOrAdd(pixels[p], &ent);
  }
  OutputCode(ent);
  OutputCode(endCode_);
  out_ = nullptr;
}

// Looks up the string ent + c. When it is known, ent becomes its code and the
// result is true; otherwise ent is sent, a new code is made for the string (or
// the table is cleared when it is full) and ent starts again at c.
bool CGifLzwEncoder::FindOrAdd(int c, int* ent) {
  int32_t fcode = (static_cast<int32_t>(c) << kMaxBits) + *ent;
  int i = (c << kHashShift) ^ *ent;
  if (hash_[i] == fcode) {
    *ent = code_[i];
    return true;
  }
  if (hash_[i] >= 0) {
    int disp = i == 0 ? 1 : kHashSize - i;
    do {
      i -= disp;
      if (i < 0) i += kHashSize;
      if (hash_[i] == fcode) {
        *ent = code_[i];
        return true;
      }
    } while (hash_[i] > 0);
  }
  OutputCode(*ent);
  *ent = c;
  if (freeCode_ < kCodeLimit) {
    code_[i] = static_cast<uint16_t>(freeCode_++);
    hash_[i] = fcode;
  } else {
    ClearBlock();
  }
  return false;
}

void CGifLzwEncoder::ClearBlock() {
  std::fill(hash_, hash_ + kHashSize, -1);
  freeCode_ = clearCode_ + 2;
  clearFlag_ = true;
  OutputCode(clearCode_);
}

void CGifLzwEncoder::OutputCode(int code) {
  accumulator_ |= static_cast<uint32_t>(code) << accumulatedBits_;
  accumulatedBits_ += nBits_;
  while (accumulatedBits_ >= 8) {
    CharOut(static_cast<uint8_t>(accumulator_));
    accumulator_ >>= 8;
    accumulatedBits_ -= 8;
  }
  if (freeCode_ > maxCode_ || clearFlag_) {
    if (clearFlag_) {
      nBits_ = initBits_;
      maxCode_ = (1 << nBits_) - 1;
      clearFlag_ = false;
    } else {
      ++nBits_;
      maxCode_ = nBits_ == kMaxBits ? kCodeLimit : (1 << nBits_) - 1;
    }
  }
  if (code == endCode_) {
    while (accumulatedBits_ > 0) {
      CharOut(static_cast<uint8_t>(accumulator_));
      accumulator_ >>= 8;
      accumulatedBits_ -= 8;
    }
    accumulatedBits_ = 0;
    FlushBlock();
  }
}

void CGifLzwEncoder::CharOut(uint8_t byte) {
  block_[blockLength_++] = byte;
  if (blockLength_ == kSubBlockMax) FlushBlock();
}

void CGifLzwEncoder::FlushBlock() {
  if (blockLength_ == 0) return;
  out_->push_back(static_cast<uint8_t>(blockLength_));
  out_->insert(out_->end(), block_, block_ + blockLength_);
  blockLength_ = 0;
}

}  // namespace kov

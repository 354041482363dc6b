#include "formats/GifLzw.h"

#include <algorithm>

namespace kov {

namespace {

// Packs codes of the current width, low bits first, into bytes.
struct CodePacker {
  uint8_t* out;
  uint32_t accumulator = 0;
  int bits = 0;
  void Put(int code, int width) {
    accumulator |= static_cast<uint32_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      *out++ = static_cast<uint8_t>(accumulator);
      accumulator >>= 8;
      bits -= 8;
    }
  }
  void Finish() {
    if (bits > 0) *out++ = static_cast<uint8_t>(accumulator);
    accumulator = 0;
    bits = 0;
  }
};

// The code stream: codes of a width that grows as the table fills, and drops back to
// the first width after a clear code.
class CodeWriter {
 public:
  CodeWriter(uint8_t* out, int minCodeSize, int maxBits)
      : packer_{out},
        initBits_(minCodeSize + 1),
        maxBits_(maxBits),
        clearCode_(1 << minCodeSize),
        nBits_(initBits_),
        maxCode_((1 << initBits_) - 1),
        freeCode_(clearCode_ + 2) {}

  int ClearCode() const { return clearCode_; }
  int EndCode() const { return clearCode_ + 1; }
  bool TableFull() const { return freeCode_ >= (1 << maxBits_); }
  int TakeFreeCode() { return freeCode_++; }

  // Sends a code, then widens codes once the next new code would not fit, or narrows
  // them again after a clear.
  void Send(int code) {
    packer_.Put(code, nBits_);
    if (clearFlag_) {
      nBits_ = initBits_;
      maxCode_ = (1 << nBits_) - 1;
      clearFlag_ = false;
    } else if (freeCode_ > maxCode_) {
      ++nBits_;
      maxCode_ = nBits_ == maxBits_ ? (1 << maxBits_) : (1 << nBits_) - 1;
    }
  }

  // The table was emptied: new codes start again after the end code, announced by a
  // clear code.
  void Restart() {
    freeCode_ = clearCode_ + 2;
    clearFlag_ = true;
    Send(clearCode_);
  }

  // Flushes the last bits; the number of bytes written.
  size_t Finish(const uint8_t* start) {
    packer_.Finish();
    return static_cast<size_t>(packer_.out - start);
  }

 private:
  CodePacker packer_;
  const int initBits_, maxBits_, clearCode_;
  int nBits_, maxCode_, freeCode_;
  bool clearFlag_ = false;
};

}  // namespace

void CGifLzwEncoder::ResetTable() { std::fill(hash_, hash_ + kHashSize, -1); }

bool CGifLzwEncoder::FindString(int32_t fcode, int firstSlot, int* slot) const {
  int i = firstSlot;
  if (hash_[i] == fcode) {
    *slot = i;
    return true;
  }
  if (hash_[i] >= 0) {
    int disp = i == 0 ? 1 : kHashSize - i;
    do {
      i -= disp;
      if (i < 0) i += kHashSize;
      if (hash_[i] == fcode) {
        *slot = i;
        return true;
      }
    } while (hash_[i] > 0);
  }
  *slot = i;
  return false;
}

void CGifLzwEncoder::AppendSubBlocks(const uint8_t* data, size_t length,
                                     std::vector<uint8_t>* out) {
  out->reserve(out->size() + length + length / kSubBlockMax + 1);
  for (size_t at = 0; at < length; at += kSubBlockMax) {
    size_t n = std::min(kSubBlockMax, length - at);
    out->push_back(static_cast<uint8_t>(n));
    out->insert(out->end(), data + at, data + at + n);
  }
}

void CGifLzwEncoder::Compress(const uint8_t* pixels, size_t count, int minCodeSize,
                              std::vector<uint8_t>* out) {
  if (count == 0) return;
  // At most one code per pixel, one clear per 3838 new codes, the first clear, the
  // last string and the end: each at most kMaxBits wide.
  std::vector<uint8_t> packed((count + count / 1024 + 4) * kMaxBits / 8 + 8);
  CodeWriter writer(packed.data(), minCodeSize, kMaxBits);
  ResetTable();
  writer.Send(writer.ClearCode());

  // The string ent + c: when known, ent becomes its code; otherwise ent is sent, the
  // string gets a new code (or the full table is cleared) and ent starts again at c.
  int ent = pixels[0];
  for (size_t p = 1; p < count; ++p) {
    int c = pixels[p];
    int32_t fcode = (static_cast<int32_t>(c) << kMaxBits) + ent;
    int slot;
    if (FindString(fcode, (c << kHashShift) ^ ent, &slot)) {
      ent = code_[slot];
      continue;
    }
    writer.Send(ent);
    ent = c;
    if (!writer.TableFull()) {
      code_[slot] = static_cast<uint16_t>(writer.TakeFreeCode());
      hash_[slot] = fcode;
    } else {
      ResetTable();
      writer.Restart();
    }
  }
  writer.Send(ent);
  writer.Send(writer.EndCode());
  AppendSubBlocks(packed.data(), writer.Finish(packed.data()), out);
}

}  // namespace kov

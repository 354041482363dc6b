#include "thumbs/GifLzw.h"

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

}  // namespace

void CGifLzwEncoder::Compress(const uint8_t* pixels, size_t count, int minCodeSize,
                              std::vector<uint8_t>* out) {
  if (count == 0) return;
  const int initBits = minCodeSize + 1;
  const int clearCode = 1 << minCodeSize, endCode = clearCode + 1;
  int nBits = initBits, maxCode = (1 << nBits) - 1, freeCode = clearCode + 2;
  bool clearFlag = false;
  // At most one code per pixel, one clear per 3838 new codes, the first clear,
  // the last string and the end: each at most kMaxBits wide.
  std::vector<uint8_t> packed((count + count / 1024 + 4) * kMaxBits / 8 + 8);
  CodePacker packer{packed.data()};
  // Sends a code, then widens codes once the next new code would not fit, or
  // narrows them again after a clear.
  auto output = [&](int code) {
    packer.Put(code, nBits);
    if (clearFlag) {
      nBits = initBits;
      maxCode = (1 << nBits) - 1;
      clearFlag = false;
    } else if (freeCode > maxCode) {
      ++nBits;
      maxCode = nBits == kMaxBits ? kCodeLimit : (1 << nBits) - 1;
    }
  };
  int32_t* hash = hash_;
  uint16_t* codes = code_;
  std::fill(hash, hash + kHashSize, -1);
  output(clearCode);

  int ent = pixels[0];
  for (size_t p = 1; p < count; ++p) {
    int c = pixels[p];
    // The string ent + c: when known, ent becomes its code; otherwise ent is
    // sent, the string gets a new code (or the full table is cleared) and ent
    // starts again at c.
    int32_t fcode = (static_cast<int32_t>(c) << kMaxBits) + ent;
    int i = (c << kHashShift) ^ ent;
    if (hash[i] == fcode) {
      ent = codes[i];
      continue;
    }
    if (hash[i] >= 0) {
      int disp = i == 0 ? 1 : kHashSize - i;
      bool found = false;
      do {
        i -= disp;
        if (i < 0) i += kHashSize;
        if (hash[i] == fcode) {
          found = true;
          break;
        }
      } while (hash[i] > 0);
      if (found) {
        ent = codes[i];
        continue;
      }
    }
    output(ent);
    ent = c;
    if (freeCode < kCodeLimit) {
      codes[i] = static_cast<uint16_t>(freeCode++);
      hash[i] = fcode;
    } else {
      std::fill(hash, hash + kHashSize, -1);
      freeCode = clearCode + 2;
      clearFlag = true;
      output(clearCode);
    }
  }
  output(ent);
  output(endCode);
  packer.Finish();

  // Data sub-blocks of at most kSubBlockMax bytes, each after its length.
  const uint8_t* data = packed.data();
  size_t length = static_cast<size_t>(packer.out - data);
  out->reserve(out->size() + length + length / kSubBlockMax + 1);
  for (size_t at = 0; at < length; at += kSubBlockMax) {
    size_t n = std::min(kSubBlockMax, length - at);
    out->push_back(static_cast<uint8_t>(n));
    out->insert(out->end(), data + at, data + at + n);
  }
}

}  // namespace kov

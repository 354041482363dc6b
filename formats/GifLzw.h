#pragma once
// The LZW compression of GIF image data with variable code widths. The exact
// choices (hash of 5003 entries with its secondary probe, code width growth, a
// clear code when code 4096 would be needed, 254-byte data sub-blocks) fix the
// output bytes, so any two encoders that follow them agree byte for byte.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kov {

class CGifLzwEncoder {
 public:
  // Compresses `count` pixel values (each below 2^minCodeSize) and appends the
  // data sub-blocks to *out, without the zero-length block terminator.
  // minCodeSize is 2..8. Nothing is appended when count is 0.
  void Compress(const uint8_t* pixels, size_t count, int minCodeSize, std::vector<uint8_t>* out);

 private:
  static constexpr int kHashSize = 5003;
  static constexpr int kMaxBits = 12;
  static constexpr int kHashShift = 4;     // 8 minus the doublings from 5003 to 65536
  static constexpr size_t kSubBlockMax = 254;

  // Empties the string table.
  void ResetTable();
  // Looks for the string fcode (prefix code and next pixel) from its first slot on,
  // probing as the format's encoders do. true with its slot when it is known;
  // false with the empty slot where it would go.
  bool FindString(int32_t fcode, int firstSlot, int* slot) const;
  // Packs the codes into sub-blocks of at most kSubBlockMax bytes, each after its length.
  static void AppendSubBlocks(const uint8_t* data, size_t length, std::vector<uint8_t>* out);

  // The string table: fcode per slot (-1 when empty) and the code given to it.
  int32_t hash_[kHashSize];
  uint16_t code_[kHashSize];
};

}  // namespace kov

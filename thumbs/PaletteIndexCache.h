#pragma once
// Maps pixel colours to the nearest palette entry. Neighbouring pixels in a
// picture usually repeat a colour, so the last colour and the colour above
// (same column, previous row) are remembered and answer most lookups without a
// search.
#include <cstdint>
#include <vector>

#include "thumbs/BmpWriter.h"

namespace kov {

// Nearest entry by squared distance in RGB; among equally near entries the
// lowest index wins. Empty palettes are not allowed.
class CNearestColorFinder {
 public:
  explicit CNearestColorFinder(const std::vector<RgbColor>& palette);
  uint8_t Find(uint8_t r, uint8_t g, uint8_t b) const;

 private:
  struct Entry {
    int r, g, b;
    int index;
  };
  std::vector<Entry> byGreen_;  // entries sorted by green, so the search can stop early
};

class CPaletteIndexCache {
 public:
  CPaletteIndexCache(const std::vector<RgbColor>& palette, uint32_t width);
  uint8_t IndexOf(uint8_t r, uint8_t g, uint8_t b, uint32_t column);

 private:
  static uint32_t Pack(uint8_t r, uint8_t g, uint8_t b) { return (r << 16) | (g << 8) | b; }
  struct Slot {
    uint32_t color = 0;
    int index = -1;
  };
  CNearestColorFinder finder_;
  Slot last_;
  std::vector<Slot> columns_;
};

}  // namespace kov

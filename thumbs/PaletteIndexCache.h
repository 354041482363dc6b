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
  // hint: an entry likely to be near (or -1); it only narrows the search, the
  // answer is the same with or without it.
  uint8_t Find(uint8_t r, uint8_t g, uint8_t b, int hint = -1) const;

 private:
  struct Entry {
    int r, g, b;
    int index;
  };
  std::vector<Entry> byGreen_;  // entries sorted by green, so the search can stop early
  std::vector<RgbColor> palette_;
};

class CPaletteIndexCache {
 public:
  explicit CPaletteIndexCache(uint32_t width) : columns_(width) {}
  // The index of (r, g, b) if it is the last colour stored or the one stored
  // for this column.
  bool Lookup(uint8_t r, uint8_t g, uint8_t b, uint32_t column, uint8_t* index) const;
  void Store(uint8_t r, uint8_t g, uint8_t b, uint32_t column, uint8_t index);

 private:
  static uint32_t Pack(uint8_t r, uint8_t g, uint8_t b) { return (r << 16) | (g << 8) | b; }
  struct Slot {
    uint32_t color = 0;
    int index = -1;
  };
  Slot last_;
  std::vector<Slot> columns_;
};

}  // namespace kov

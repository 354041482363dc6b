#pragma once
// Maps pixel colours to the nearest palette entry. Neighbouring pixels in a
// picture usually repeat a colour, so the last colour and the colour above
// (same column, previous row) are remembered and answer most lookups without a
// search.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/BmpWriter.h"

namespace kov {

// Nearest entry by squared distance in RGB; among equally near entries the
// lowest index wins. Empty palettes are not allowed.
//
// RGB space is cut into 8 x 8 x 8 cells. The first time a colour falls in a
// cell, the cell gets the list of entries that can be nearest to some point of
// it: those whose least distance to the cell is at most the smallest greatest
// distance of any entry to it. Every nearest entry of every colour in the cell
// passes that test, ties included, so searching the list alone is exact. Lists
// are sorted by least distance to their cell and packed eight entries to a
// block, whose distances are worked out four at a time; a search stops at the
// first block that cannot beat the best so far.
class CNearestColorFinder {
 public:
  explicit CNearestColorFinder(const std::vector<RgbTriple>& palette);
  // hint: kept for callers that know a likely entry; the cell lists make it
  // unnecessary and the answer never depends on it.
  uint8_t Find(uint8_t r, uint8_t g, uint8_t b, int hint = -1) const;
  // Find for every pixel of `rows` rows of `width` packed RGB pixels; output
  // rows start `stride` bytes apart. Repeats of the previous colour or of the
  // colour above are answered without a search.
  void MapRows(const uint8_t* rgb, uint32_t width, size_t rows, uint8_t* out, size_t stride) const;

 private:
  static constexpr int kCellShift = 5;
  static constexpr int kCellsPerAxis = 256 >> kCellShift;
  static constexpr int kCellCount = kCellsPerAxis * kCellsPerAxis * kCellsPerAxis;
  static constexpr int kLanes = 8;
  // Eight list entries in one 64-byte cache line; a short last block repeats
  // its last entry. Red and green are laid out in 16-bit pairs per entry, so
  // one multiply-add of a pair of differences gives a 32-bit partial distance;
  // blue squares fit 16 bits unsigned and are widened after the multiply.
  struct alignas(64) Block {
    int16_t redGreen[2 * kLanes];
    int16_t blue[kLanes];
    uint8_t index[kLanes];
    int32_t leastSq;  // of the block's first entry, the least in it
  };
  struct Span {
    uint32_t begin = 0, end = 0;  // into blocks_; end == 0: not built yet
  };
  const Span& CellCandidates(int cell) const;
  // The search itself, inlined into Find and into the pixel loop of MapRows.
  inline uint8_t Nearest(uint8_t r, uint8_t g, uint8_t b) const;

  std::vector<RgbTriple> palette_;
  // Per channel and cell coordinate, each entry's least and greatest squared
  // distance along that channel: [channel][coordinate][entry].
  // Rows are rowLength_ long: the palette size rounded up to whole blocks.
  size_t rowLength_ = 0;
  std::vector<int32_t> nearSq_, farSq_;
  mutable std::vector<Span> cells_;
  mutable std::vector<uint32_t> sorted_, rankScratch_;  // scratch while a list is made
  mutable std::vector<Block> blocks_;
};

}  // namespace kov

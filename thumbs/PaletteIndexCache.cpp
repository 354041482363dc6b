#include "thumbs/PaletteIndexCache.h"

#include <algorithm>
#include <cstdint>

namespace kov {

CNearestColorFinder::CNearestColorFinder(const std::vector<RgbColor>& palette)
    : palette_(palette), cells_(kCellCount) {
  size_t n = palette.size();
  nearSq_.resize(3 * kCellsPerAxis * n);
  farSq_.resize(3 * kCellsPerAxis * n);
  for (int c = 0; c < 3; ++c)
    for (int cell = 0; cell < kCellsPerAxis; ++cell) {
      int lo = cell << kCellShift, hi = lo + (1 << kCellShift) - 1;
      int32_t* nearRow = &nearSq_[(c * kCellsPerAxis + cell) * n];
      int32_t* farRow = &farSq_[(c * kCellsPerAxis + cell) * n];
      for (size_t i = 0; i < n; ++i) {
        int v = palette[i][c];
        int nearest = v < lo ? lo - v : v > hi ? v - hi : 0;
        int farthest = std::max(v - lo, hi - v);
        nearRow[i] = nearest * nearest;
        farRow[i] = farthest * farthest;
      }
    }
}

const CNearestColorFinder::Span& CNearestColorFinder::CellCandidates(int cell) const {
  Span& span = cells_[cell];
  if (span.end != 0) return span;
  size_t n = palette_.size();
  int coords[3] = {cell / (kCellsPerAxis * kCellsPerAxis), cell / kCellsPerAxis % kCellsPerAxis,
                   cell % kCellsPerAxis};
  const int32_t* nearRows[3];
  const int32_t* farRows[3];
  for (int c = 0; c < 3; ++c) {
    nearRows[c] = &nearSq_[(c * kCellsPerAxis + coords[c]) * n];
    farRows[c] = &farSq_[(c * kCellsPerAxis + coords[c]) * n];
  }
  int32_t bound = INT32_MAX;
  for (size_t i = 0; i < n; ++i)
    bound = std::min(bound, farRows[0][i] + farRows[1][i] + farRows[2][i]);
  span.begin = static_cast<uint32_t>(candidates_.size());
  for (size_t i = 0; i < n; ++i) {
    int32_t leastSq = nearRows[0][i] + nearRows[1][i] + nearRows[2][i];
    if (leastSq <= bound)
      candidates_.push_back(
          {palette_[i][0], palette_[i][1], palette_[i][2], static_cast<int32_t>(i), leastSq});
  }
  std::sort(candidates_.begin() + span.begin, candidates_.end(),
            [](const Candidate& a, const Candidate& b) { return a.leastSq < b.leastSq; });
  span.end = static_cast<uint32_t>(candidates_.size());
  return span;
}

uint8_t CNearestColorFinder::Find(uint8_t r, uint8_t g, uint8_t b, int /*hint*/) const {
  int cell = ((r >> kCellShift) * kCellsPerAxis + (g >> kCellShift)) * kCellsPerAxis +
             (b >> kCellShift);
  const Span* span = &cells_[cell];
  if (span->end == 0) span = &CellCandidates(cell);
  // Distance and index in one key (distance < 2^18, index < 2^8): the least key
  // is the nearest entry, the lowest index among equals.
  int32_t best = INT32_MAX;
  const Candidate* e = candidates_.data() + span->begin;
  for (const Candidate* end = candidates_.data() + span->end; e != end; ++e) {
    if (e->leastSq > (best >> 8)) break;  // this and every later entry are farther
    int32_t dr = e->r - r, dg = e->g - g, db = e->b - b;
    best = std::min(best, ((dr * dr + dg * dg + db * db) << 8) | e->index);
  }
  return static_cast<uint8_t>(best & 0xFF);
}

bool CPaletteIndexCache::Lookup(uint8_t r, uint8_t g, uint8_t b, uint32_t column,
                                uint8_t* index) const {
  uint32_t color = Pack(r, g, b);
  if (last_.index >= 0 && last_.color == color) {
    *index = static_cast<uint8_t>(last_.index);
    return true;
  }
  if (column < columns_.size() && columns_[column].index >= 0 && columns_[column].color == color) {
    *index = static_cast<uint8_t>(columns_[column].index);
    return true;
  }
  return false;
}

void CPaletteIndexCache::Store(uint8_t r, uint8_t g, uint8_t b, uint32_t column, uint8_t index) {
  Slot slot{Pack(r, g, b), index};
  if (column < columns_.size()) columns_[column] = slot;
  last_ = slot;
}

}  // namespace kov

#include "thumbs/PaletteIndexCache.h"

#include <algorithm>
#include <cstdint>

namespace kov {

namespace {

// Rows of per-entry distances padded to whole blocks; padding lanes hold a
// distance beyond any real one, so they are never a bound nor a candidate.
constexpr int32_t kPadSq = 1 << 24;

}  // namespace

// The least lane, by halving: each step keeps the lesser of two lanes (by the
// sign of their difference, which stays plain vector work where the machine
// has no vector minimum; every value here is below 2^26).
inline int32_t CNearestColorFinder::LeastLane(const Lanes32& lanes) {
  Lanes32 m = lanes;
  Lanes32 diff = __builtin_shufflevector(m, m, 4, 5, 6, 7, 0, 1, 2, 3) - m;
  m += diff & (diff >> 31);
  diff = __builtin_shufflevector(m, m, 2, 3, 0, 1, 6, 7, 4, 5) - m;
  m += diff & (diff >> 31);
  diff = __builtin_shufflevector(m, m, 1, 0, 3, 2, 5, 4, 7, 6) - m;
  m += diff & (diff >> 31);
  return m[0];
}

CNearestColorFinder::CNearestColorFinder(const std::vector<RgbColor>& palette)
    : palette_(palette), cells_(kCellCount) {
  size_t n = palette.size();
  rowLength_ = (n + kLanes - 1) / kLanes * kLanes;
  nearSq_.assign(3 * kCellsPerAxis * rowLength_, kPadSq);
  farSq_.assign(3 * kCellsPerAxis * rowLength_, kPadSq);
  for (int c = 0; c < 3; ++c)
    for (int cell = 0; cell < kCellsPerAxis; ++cell) {
      int lo = cell << kCellShift, hi = lo + (1 << kCellShift) - 1;
      int32_t* nearRow = &nearSq_[(c * kCellsPerAxis + cell) * rowLength_];
      int32_t* farRow = &farSq_[(c * kCellsPerAxis + cell) * rowLength_];
      for (size_t i = 0; i < n; ++i) {
        int v = palette[i][c];
        int nearest = v < lo ? lo - v : v > hi ? v - hi : 0;
        int farthest = std::max(v - lo, hi - v);
        nearRow[i] = nearest * nearest;
        farRow[i] = farthest * farthest;
      }
    }
  blocks_.reserve(512);
}

const CNearestColorFinder::Span& CNearestColorFinder::CellCandidates(int cell) const {
  Span& span = cells_[cell];
  if (span.end != 0) return span;
  int coords[3] = {cell / (kCellsPerAxis * kCellsPerAxis), cell / kCellsPerAxis % kCellsPerAxis,
                   cell % kCellsPerAxis};
  const UnalignedLanes32* nearRows[3];
  const UnalignedLanes32* farRows[3];
  for (int c = 0; c < 3; ++c) {
    size_t row = (c * kCellsPerAxis + coords[c]) * rowLength_;
    nearRows[c] = reinterpret_cast<const UnalignedLanes32*>(&nearSq_[row]);
    farRows[c] = reinterpret_cast<const UnalignedLanes32*>(&farSq_[row]);
  }
  size_t blockCount = rowLength_ / kLanes;
  Lanes32 farthest = Lanes32{} + kPadSq;
  for (size_t k = 0; k < blockCount; ++k) {
    Lanes32 sum = farRows[0][k] + farRows[1][k] + farRows[2][k];
    Lanes32 diff = sum - farthest;
    farthest += diff & (diff >> 31);
  }
  int32_t bound = LeastLane(farthest);
  sorted_.clear();
  for (size_t k = 0; k < blockCount; ++k) {
    Lanes32 leastSq = nearRows[0][k] + nearRows[1][k] + nearRows[2][k];
    for (int lane = 0; lane < kLanes; ++lane) {
      if (leastSq[lane] > bound) continue;
      size_t i = k * kLanes + lane;
      sorted_.push_back(
          {palette_[i][0], palette_[i][1], palette_[i][2], static_cast<int32_t>(i), leastSq[lane]});
    }
  }
  std::sort(sorted_.begin(), sorted_.end(),
            [](const Candidate& a, const Candidate& b) { return a.leastSq < b.leastSq; });
  span.begin = static_cast<uint32_t>(blocks_.size());
  for (size_t first = 0; first < sorted_.size(); first += kLanes) {
    Block block;
    block.leastSq = sorted_[first].leastSq;
    for (size_t lane = 0; lane < kLanes; ++lane) {
      const Candidate& c = sorted_[std::min(first + lane, sorted_.size() - 1)];
      block.r[lane] = static_cast<uint16_t>(c.r);
      block.g[lane] = static_cast<uint16_t>(c.g);
      block.b[lane] = static_cast<uint16_t>(c.b);
      block.index[lane] = c.index;
    }
    blocks_.push_back(block);
  }
  span.end = static_cast<uint32_t>(blocks_.size());
  return span;
}

uint8_t CNearestColorFinder::Find(uint8_t r, uint8_t g, uint8_t b, int /*hint*/) const {
  int cell = ((r >> kCellShift) * kCellsPerAxis + (g >> kCellShift)) * kCellsPerAxis +
             (b >> kCellShift);
  const Span* span = &cells_[cell];
  if (span->end == 0) span = &CellCandidates(cell);
  // Distance and index in one key (distance < 2^18, index < 2^8): the least key
  // is the nearest entry, the lowest index among equals.
  // Distance and index in one key (distance < 2^18, index < 2^8): the least key
  // is the nearest entry, the lowest index among equals. Channel differences
  // are taken modulo 2^16; their squares (at most 255^2) are exact there.
  const Lanes16 qr = Lanes16{} + r, qg = Lanes16{} + g, qb = Lanes16{} + b;
  Lanes32 keys = Lanes32{} + INT32_MAX;
  const Block* block = blocks_.data() + span->begin;
  for (const Block* end = blocks_.data() + span->end; block != end; ++block) {
    // A block that may lie away from the colour is skipped when even its
    // least distance cannot beat the best so far; so is every later block.
    if (block->leastSq > 0 && block->leastSq > (LeastLane(keys) >> 8)) break;
    Lanes16 dr = block->r - qr, dg = block->g - qg, db = block->b - qb;
    Lanes32 sq = __builtin_convertvector(dr * dr, Lanes32) +
                 __builtin_convertvector(dg * dg, Lanes32) +
                 __builtin_convertvector(db * db, Lanes32);
    Lanes32 key = (sq << 8) | block->index;
    Lanes32 diff = key - keys;
    keys += diff & (diff >> 31);
  }
  int32_t best = LeastLane(keys);
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

#include "thumbs/PaletteIndexCache.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

typedef int32_t Quad __attribute__((vector_size(16)));
typedef int32_t UnalignedQuad __attribute__((vector_size(16), aligned(4)));

// One bit per lane of a comparison result (lanes all ones or all zeros).
inline unsigned QuadMask(Quad test) {
#if defined(__SSE2__)
  return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(reinterpret_cast<__m128i>(test))));
#else
  return (test[0] & 1u) | (test[1] & 2u) | (test[2] & 4u) | (test[3] & 8u);
#endif
}

}  // namespace

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
  // Four lanes at a time here: the width the machine works in, so the sums
  // stay in registers.
  const UnalignedQuad* nearRows[3];
  const UnalignedQuad* farRows[3];
  for (int c = 0; c < 3; ++c) {
    size_t row = (c * kCellsPerAxis + coords[c]) * rowLength_;
    nearRows[c] = reinterpret_cast<const UnalignedQuad*>(&nearSq_[row]);
    farRows[c] = reinterpret_cast<const UnalignedQuad*>(&farSq_[row]);
  }
  size_t quadCount = rowLength_ / 4;
  Quad farthest = Quad{} + kPadSq;
  for (size_t k = 0; k < quadCount; ++k) {
    Quad sum = farRows[0][k] + farRows[1][k] + farRows[2][k];
    Quad diff = sum - farthest;
    farthest += diff & (diff >> 31);
  }
  int32_t bound = std::min(std::min(farthest[0], farthest[1]), std::min(farthest[2], farthest[3]));
  // Most quads hold no candidate: one mask of the lanes within the bound skips
  // them whole. A candidate is kept as one key, its least distance above its
  // index (distance < 2^18), so sorting keys orders by least distance.
  sorted_.clear();
  const Quad over = Quad{} + bound;
  for (size_t k = 0; k < quadCount; ++k) {
    Quad leastSq = nearRows[0][k] + nearRows[1][k] + nearRows[2][k];
    unsigned mask = QuadMask(leastSq <= over);
    while (mask != 0) {
      int lane = __builtin_ctz(mask);
      mask &= mask - 1;
      sorted_.push_back((static_cast<uint32_t>(leastSq[lane]) << 8) |
                        static_cast<uint32_t>(k * 4 + lane));
    }
  }
  std::sort(sorted_.begin(), sorted_.end());
  span.begin = static_cast<uint32_t>(blocks_.size());
  for (size_t first = 0; first < sorted_.size(); first += kLanes) {
    Block block;
    block.leastSq = static_cast<int32_t>(sorted_[first] >> 8);
    for (size_t lane = 0; lane < kLanes; ++lane) {
      uint32_t i = sorted_[std::min(first + lane, sorted_.size() - 1)] & 0xFF;
      block.r[lane] = palette_[i][0];
      block.g[lane] = palette_[i][1];
      block.b[lane] = palette_[i][2];
      block.index[lane] = static_cast<int32_t>(i);
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

}  // namespace kov

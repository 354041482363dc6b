#include "formats/NearestColorFinder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kov {

namespace {

// Rows of per-entry distances padded to whole blocks; padding lanes hold a
// distance beyond any real one, so they are never a bound nor a candidate.
constexpr int32_t kPadSq = 1 << 24;

}  // namespace

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

// Sorts distinct keys below 2^31. Short lists, the usual case, are placed by
// rank: each key's rank is the number of smaller keys, counted four at a time
// with no branch that depends on the data, where a comparison sort would
// mispredict about half its branches on such keys.
void SortDistinctKeys(std::vector<uint32_t>* keys, std::vector<uint32_t>* scratch) {
#if defined(__SSE2__)
  constexpr size_t kRankedMax = 64;
  size_t n = keys->size();
  if (n <= kRankedMax) {
    size_t quads = (n + 3) / 4;
    scratch->assign(keys->begin(), keys->end());
    scratch->resize(quads * 4, INT32_MAX);  // padding is smaller than no key
    const __m128i* all = reinterpret_cast<const __m128i*>(scratch->data());
    uint32_t* out = keys->data();
    for (size_t i = 0; i < n; ++i) {
      uint32_t key = (*scratch)[i];
      __m128i probe = _mm_set1_epi32(static_cast<int32_t>(key));
      __m128i smaller = _mm_setzero_si128();
      for (size_t q = 0; q < quads; ++q)
        smaller = _mm_sub_epi32(smaller, _mm_cmplt_epi32(_mm_loadu_si128(all + q), probe));
      smaller = _mm_add_epi32(smaller, _mm_shuffle_epi32(smaller, _MM_SHUFFLE(1, 0, 3, 2)));
      smaller = _mm_add_epi32(smaller, _mm_shuffle_epi32(smaller, _MM_SHUFFLE(2, 3, 0, 1)));
      out[_mm_cvtsi128_si32(smaller)] = key;
    }
    return;
  }
#endif
  (void)scratch;
  std::sort(keys->begin(), keys->end());
}

}  // namespace

CNearestColorFinder::CNearestColorFinder(const std::vector<RgbTriple>& palette)
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
  // A picture spread over all of RGB space (noise) builds every cell with a
  // few blocks each; reserving that up front spares copying the lists as the
  // vector grows. Capacity is only touched where lists are written.
  blocks_.reserve(4 * kCellCount);
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
  // Keys are distinct: no two entries share an index.
  SortDistinctKeys(&sorted_, &rankScratch_);
  span.begin = static_cast<uint32_t>(blocks_.size());
  for (size_t first = 0; first < sorted_.size(); first += kLanes) {
    Block block;
    block.leastSq = static_cast<int32_t>(sorted_[first] >> 8);
    for (size_t lane = 0; lane < kLanes; ++lane) {
      uint32_t i = sorted_[std::min(first + lane, sorted_.size() - 1)] & 0xFF;
      block.redGreen[2 * lane] = palette_[i][0];
      block.redGreen[2 * lane + 1] = palette_[i][1];
      block.blue[lane] = palette_[i][2];
      block.index[lane] = static_cast<uint8_t>(i);
    }
    blocks_.push_back(block);
  }
  span.end = static_cast<uint32_t>(blocks_.size());
  return span;
}

inline __attribute__((always_inline)) uint8_t CNearestColorFinder::Nearest(uint8_t r, uint8_t g,
                                                                           uint8_t b) const {
  int cell = ((r >> kCellShift) * kCellsPerAxis + (g >> kCellShift)) * kCellsPerAxis +
             (b >> kCellShift);
  const Span* span = &cells_[cell];
  if (span->end == 0) span = &CellCandidates(cell);
  // Distance and index in one key (distance < 2^18, index < 2^8): the least key
  // is the nearest entry, the lowest index among equals.
  const Block* block = blocks_.data() + span->begin;
  const Block* end = blocks_.data() + span->end;
#if defined(__SSE2__)
  // Channel differences fit in 16 bits; their squares and sums in 32.
  const __m128i queryRedGreen = _mm_set1_epi32(static_cast<int32_t>((g << 16) | r));
  const __m128i queryBlue = _mm_set1_epi16(b);
  const __m128i zero = _mm_setzero_si128();
  __m128i keys = _mm_set1_epi32(INT32_MAX);
  for (; block != end; ++block) {
    // A block that may lie away from the colour is skipped when even its
    // least distance cannot beat the best so far; so is every later block.
    if (block->leastSq > 0 &&
        _mm_movemask_epi8(_mm_cmplt_epi32(keys, _mm_set1_epi32(block->leastSq << 8))) != 0)
      break;
    const __m128i* rg = reinterpret_cast<const __m128i*>(block->redGreen);
    __m128i dBlue = _mm_sub_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(block->blue)), queryBlue);
    __m128i blueSq = _mm_mullo_epi16(dBlue, dBlue);  // below 2^16: exact as unsigned
    __m128i index = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(block->index)), zero);
    for (int half = 0; half < 2; ++half) {
      __m128i dRedGreen = _mm_sub_epi16(_mm_load_si128(rg + half), queryRedGreen);
      __m128i halfBlueSq = half == 0 ? _mm_unpacklo_epi16(blueSq, zero) : _mm_unpackhi_epi16(blueSq, zero);
      __m128i halfIndex = half == 0 ? _mm_unpacklo_epi16(index, zero) : _mm_unpackhi_epi16(index, zero);
      __m128i sq = _mm_add_epi32(_mm_madd_epi16(dRedGreen, dRedGreen), halfBlueSq);
      __m128i key = _mm_or_si128(_mm_slli_epi32(sq, 8), halfIndex);
      __m128i keyLess = _mm_cmplt_epi32(key, keys);
      keys = _mm_or_si128(_mm_and_si128(keyLess, key), _mm_andnot_si128(keyLess, keys));
    }
  }
  alignas(16) int32_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), keys);
  int32_t best = std::min(std::min(lanes[0], lanes[1]), std::min(lanes[2], lanes[3]));
#else
  int32_t best = INT32_MAX;
  for (; block != end; ++block) {
    if (block->leastSq > 0 && block->leastSq > (best >> 8)) break;
    for (int lane = 0; lane < kLanes; ++lane) {
      int dr = block->redGreen[2 * lane] - r, dg = block->redGreen[2 * lane + 1] - g;
      int db = block->blue[lane] - b;
      best = std::min(best, ((dr * dr + dg * dg + db * db) << 8) | block->index[lane]);
    }
  }
#endif
  return static_cast<uint8_t>(best & 0xFF);
}

uint8_t CNearestColorFinder::Find(uint8_t r, uint8_t g, uint8_t b, int /*hint*/) const {
  return Nearest(r, g, b);
}

void CNearestColorFinder::MapRows(const uint8_t* rgb, uint32_t width, size_t rows, uint8_t* out,
                                  size_t stride) const {
  // The previous colour and the colour above each column, packed 0xRRGGBB
  // next to their index; kNoColor matches no pixel. Kept in locals so the
  // common repeat costs a pack, a compare and a store.
  constexpr uint32_t kNoColor = 1u << 24;
  struct Slot {
    uint32_t color;
    uint32_t index;
  };
  std::vector<Slot> above(width, Slot{kNoColor, 0});
  Slot last{kNoColor, 0};
  for (size_t y = 0; y < rows; ++y, out += stride) {
    for (uint32_t x = 0; x < width; ++x, rgb += 3) {
      uint32_t color = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
      if (color != last.color) {
        if (color == above[x].color) {
          last = above[x];
        } else {
          // Channels taken from the packed colour: the loads above stay
          // the only work of a repeat.
          last = Slot{color, Nearest(static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                                     static_cast<uint8_t>(color))};
        }
      }
      above[x] = last;
      out[x] = static_cast<uint8_t>(last.index);
    }
  }
}

}  // namespace kov

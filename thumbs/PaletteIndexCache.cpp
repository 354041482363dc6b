#include "thumbs/PaletteIndexCache.h"

#include <algorithm>

namespace kov {

CNearestColorFinder::CNearestColorFinder(const std::vector<RgbColor>& palette) : palette_(palette) {
  for (size_t i = 0; i < palette.size(); ++i)
    byGreen_.push_back({palette[i][0], palette[i][1], palette[i][2], static_cast<int>(i)});
  std::stable_sort(byGreen_.begin(), byGreen_.end(),
                   [](const Entry& a, const Entry& b) { return a.g < b.g; });
}

uint8_t CNearestColorFinder::Find(uint8_t r, uint8_t g, uint8_t b, int hint) const {
  // Walk outwards from the first entry whose green is not below g; an entry whose
  // green alone is farther than the best distance so far ends that direction.
  auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), static_cast<int>(g),
                                [](const Entry& e, int green) { return e.g < green; });
  int best = 1 << 30, bestIndex = static_cast<int>(palette_.size());
  auto consider = [&](int er, int eg, int eb, int index) {
    int dr = er - r, dg = eg - g, db = eb - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && index < bestIndex)) best = d, bestIndex = index;
  };
  if (hint >= 0 && static_cast<size_t>(hint) < palette_.size())
    consider(palette_[hint][0], palette_[hint][1], palette_[hint][2], hint);
  for (auto it = start; it != byGreen_.end(); ++it) {
    int dg = it->g - g;
    if (dg * dg > best) break;
    consider(it->r, it->g, it->b, it->index);
  }
  for (auto it = start; it != byGreen_.begin();) {
    --it;
    int dg = g - it->g;
    if (dg * dg > best) break;
    consider(it->r, it->g, it->b, it->index);
  }
  return static_cast<uint8_t>(bestIndex);
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

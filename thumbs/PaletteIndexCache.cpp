#include "thumbs/PaletteIndexCache.h"

#include <algorithm>

namespace kov {

CNearestColorFinder::CNearestColorFinder(const std::vector<RgbColor>& palette) {
  for (size_t i = 0; i < palette.size(); ++i)
    byGreen_.push_back({palette[i][0], palette[i][1], palette[i][2], static_cast<int>(i)});
  std::stable_sort(byGreen_.begin(), byGreen_.end(),
                   [](const Entry& a, const Entry& b) { return a.g < b.g; });
}

uint8_t CNearestColorFinder::Find(uint8_t r, uint8_t g, uint8_t b) const {
  // Walk outwards from the first entry whose green is not below g; an entry whose
  // green alone is farther than the best distance so far ends that direction.
  auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), static_cast<int>(g),
                                [](const Entry& e, int green) { return e.g < green; });
  int best = 1 << 30, bestIndex = 0;
  auto consider = [&](const Entry& e) {
    int dr = e.r - r, dg = e.g - g, db = e.b - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && e.index < bestIndex)) best = d, bestIndex = e.index;
  };
  for (auto it = start; it != byGreen_.end(); ++it) {
    int dg = it->g - g;
    if (dg * dg > best) break;
    consider(*it);
  }
  for (auto it = start; it != byGreen_.begin();) {
    --it;
    int dg = g - it->g;
    if (dg * dg > best) break;
    consider(*it);
  }
  return static_cast<uint8_t>(bestIndex);
}

CPaletteIndexCache::CPaletteIndexCache(const std::vector<RgbColor>& palette, uint32_t width)
    : finder_(palette), columns_(width) {}

uint8_t CPaletteIndexCache::IndexOf(uint8_t r, uint8_t g, uint8_t b, uint32_t column) {
  uint32_t color = Pack(r, g, b);
  if (last_.index >= 0 && last_.color == color) return static_cast<uint8_t>(last_.index);
  if (column < columns_.size() && columns_[column].index >= 0 && columns_[column].color == color)
    return static_cast<uint8_t>(columns_[column].index);
  Slot found{color, finder_.Find(r, g, b)};
  if (column < columns_.size()) columns_[column] = found;
  last_ = found;
  return static_cast<uint8_t>(found.index);
}

}  // namespace kov

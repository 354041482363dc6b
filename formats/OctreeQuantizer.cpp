#include "formats/OctreeQuantizer.h"

#include "base/Fail.h"
#include "base/FileBytes.h"
#include "base/SizeMath.h"
#include "formats/NearestColorFinder.h"

namespace kov {

COctreeQuantizer::COctreeQuantizer(unsigned maxColors, unsigned colorBits)
    : maxColors_(maxColors < 1 ? 1 : maxColors > 256 ? 256 : maxColors),
      colorBits_(colorBits < 1 ? 1 : colorBits > 8 ? 8 : colorBits),
      keyShift_(3 * (8 - colorBits_)),
      reducible_(colorBits_ + 1, kNone) {}

int COctreeQuantizer::CreateNode(unsigned level) {
  int id;
  if (!freeNodes_.empty()) {
    id = freeNodes_.back();
    freeNodes_.pop_back();
    nodes_[id] = Node{};
  } else {
    id = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
  }
  if (level == colorBits_) {
    nodes_[id].isLeaf = true;
    ++leafCount_;
  } else {
    nodes_[id].next = reducible_[level];
    reducible_[level] = id;
  }
  return id;
}

void COctreeQuantizer::FreeNode(int node) { freeNodes_.push_back(node); }

namespace {

// Each channel's bits spread three apart, most significant first: bit i of the
// channel lands at bit 3 * i, so or-ing the red table shifted by 2, green by 1
// and blue gives, three bits per level, the child index of every level.
struct SpreadBits {
  uint32_t table[256] = {};
  constexpr SpreadBits() {
    for (uint32_t v = 0; v < 256; ++v) {
      uint32_t out = 0;
      for (int i = 0; i < 8; ++i) out |= ((v >> i) & 1u) << (3 * i);
      table[v] = out;
    }
  }
};
constexpr SpreadBits kSpread;

}  // namespace

inline uint32_t COctreeQuantizer::PathOf(uint8_t r, uint8_t g, uint8_t b) {
  return (kSpread.table[r] << 2) | (kSpread.table[g] << 1) | kSpread.table[b];
}

inline __attribute__((always_inline)) void COctreeQuantizer::AddPath(uint8_t r, uint8_t g, uint8_t b,
                                                                     uint32_t path) {
  // Repeats of the previous leaf skip the walk. Otherwise most colours end in
  // a leaf that exists already: walk down without making anything, and leave
  // the rest of the path to GrowPath.
  uint32_t key = path >> keyShift_;
  if (key == lastKey_ && lastLeaf_ != kNone) {
    Node& leaf = nodes_[lastLeaf_];
    ++leaf.pixelCount;
    leaf.redSum += r, leaf.greenSum += g, leaf.blueSum += b;
    return;
  }
  if (root_ == kNone) root_ = CreateNode(0);
  const Node* nodes = nodes_.data();
  int node = root_;
  unsigned shift = 21;
  while (!nodes[node].isLeaf) {
    int child = nodes[node].child[(path >> shift) & 7];
    if (child == kNone) {
      GrowPath(Rgb{r, g, b}, path, key, node, shift);
      return;
    }
    node = child;
    shift -= 3;
  }
  CountInLeaf(r, g, b, key, node);
}

inline void COctreeQuantizer::CountInLeaf(uint8_t r, uint8_t g, uint8_t b, uint32_t key, int leaf) {
  Node& n = nodes_[leaf];
  ++n.pixelCount;
  n.redSum += r, n.greenSum += g, n.blueSum += b;
  lastKey_ = key;
  lastLeaf_ = leaf;
}

void COctreeQuantizer::GrowPath(Rgb color, uint32_t path, uint32_t key, int node, unsigned shift) {
  uint8_t r = color.r, g = color.g, b = color.b;
  for (;; shift -= 3) {
    if (nodes_[node].isLeaf) break;
    int index = (path >> shift) & 7;
    int child = nodes_[node].child[index];
    if (child == kNone) {
      child = CreateNode((21 - shift) / 3 + 1);  // may move nodes_: index again afterwards
      nodes_[node].child[index] = child;
    }
    node = child;
  }
  CountInLeaf(r, g, b, key, node);
  while (leafCount_ > maxColors_) {
    size_t before = leafCount_;
    ReduceTree();
    if (leafCount_ == before && reducible_[0] == kNone) break;  // nothing left to merge
  }
}

void COctreeQuantizer::AddColor(uint8_t r, uint8_t g, uint8_t b) { AddPath(r, g, b, PathOf(r, g, b)); }

void COctreeQuantizer::ReduceTree() {
  lastLeaf_ = kNone;
  int level = static_cast<int>(colorBits_) - 1;
  while (level > 0 && reducible_[level] == kNone) --level;
  int node = reducible_[level];
  if (node == kNone) return;
  reducible_[level] = nodes_[node].next;
  Node& n = nodes_[node];
  size_t children = 0;
  for (int& c : n.child) {
    if (c == kNone) continue;
    const Node& child = nodes_[c];
    n.pixelCount += child.pixelCount;
    n.redSum += child.redSum, n.greenSum += child.greenSum, n.blueSum += child.blueSum;
    FreeNode(c);
    c = kNone;
    ++children;
  }
  n.isLeaf = true;
  n.next = kNone;
  leafCount_ = leafCount_ + 1 - children;
}

void COctreeQuantizer::DeleteTree() {
  nodes_.clear();
  freeNodes_.clear();
  root_ = kNone;
  lastLeaf_ = kNone;
  leafCount_ = 0;
  reducible_.assign(colorBits_ + 1, kNone);
}

void COctreeQuantizer::CollectPalette(int node, std::vector<RgbTriple>* out) {
  Node& n = nodes_[node];
  if (n.isLeaf) {
    uint64_t count = n.pixelCount ? n.pixelCount : 1;
    out->push_back({static_cast<uint8_t>(n.redSum / count), static_cast<uint8_t>(n.greenSum / count),
                    static_cast<uint8_t>(n.blueSum / count)});
    return;
  }
  for (int c : n.child)
    if (c != kNone) CollectPalette(c, out);
}

std::vector<RgbTriple> COctreeQuantizer::GetPaletteColors() {
  std::vector<RgbTriple> palette;
  if (root_ != kNone) CollectPalette(root_, &palette);
  return palette;
}

std::vector<uint8_t> COctreeQuantizer::WritePalettized(const RgbImage& image) {
  std::vector<RgbTriple> palette;
  std::vector<uint8_t> indices;
  if (!Palettize(image, &palette, &indices)) return {};
  return MakeBmp8File(image.width, image.height, palette, indices);
}

bool COctreeQuantizer::Palettize(const RgbImage& image, std::vector<RgbTriple>* paletteOut,
                                 std::vector<uint8_t>* paddedRows) {
  DeleteTree();
  const uint8_t* px = image.rgb.data();
  size_t pixels = image.rgb.size() / 3;
  for (size_t i = 0; i < pixels; ++i, px += 3) AddPath(px[0], px[1], px[2], PathOf(px[0], px[1], px[2]));
  std::vector<RgbTriple>& palette = *paletteOut;
  palette = GetPaletteColors();
  if (palette.empty()) return false;

  size_t rows = image.width ? pixels / image.width : 0;
  size_t stride = DibRowStride(image.width, 8);
  std::vector<uint8_t>& indices = *paddedRows;
  indices.assign(stride * rows, 0);  // padding bytes stay 0
  CNearestColorFinder(palette).MapRows(image.rgb.data(), image.width, rows, indices.data(), stride);
  return true;
}

bool COctreeQuantizer::QuantizeBmp(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* bmp8,
                                   std::string* error) {
  RgbImage image;
  if (!ReadBmpImage(bmp.data(), bmp.size(), &image, error)) return false;
  *bmp8 = WritePalettized(image);
  if (bmp8->empty()) return Fail(error, "picture has no pixels");
  return true;
}

bool COctreeQuantizer::QuantizeBmpFile(const std::string& srcPath, const std::string& dstPath,
                                       std::string* error) {
  std::vector<uint8_t> source, result;
  if (!ReadFileBytes(srcPath, &source, error)) return false;
  if (!QuantizeBmp(source, &result, error)) {
    if (error) *error = srcPath + ": " + *error;
    return false;
  }
  return WriteFileAtomically(dstPath, result, error);
}

}  // namespace kov

#pragma once
// Reduces a picture to at most maxColors colours with an octree: every pixel is
// counted into a leaf at depth colorBits (so only the top colorBits bits of each
// channel tell colours apart), and while there are too many leaves the most
// recently made node of the deepest reducible level is merged into one leaf.
// The result is written as an 8-bit palettised BMP.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/BmpReader.h"
#include "formats/BmpWriter.h"

namespace kov {

class COctreeQuantizer {
 public:
  explicit COctreeQuantizer(unsigned maxColors = 256, unsigned colorBits = 6);
  virtual ~COctreeQuantizer() = default;

  // Reads any supported BMP file and writes the 8-bit BMP to dstPath, which may
  // be the source itself (the source is read whole first, the result replaces
  // the destination atomically).
  bool QuantizeBmpFile(const std::string& srcPath, const std::string& dstPath,
                       std::string* error = nullptr);
  // The same on file images in memory.
  bool QuantizeBmp(const std::vector<uint8_t>& bmp, std::vector<uint8_t>* bmp8,
                   std::string* error = nullptr);
  // Quantises decoded pixels; rows of the result keep the order of image.rgb.
  std::vector<uint8_t> WritePalettized(const RgbImage& image);
  // The same without the file around it: the colour table and the rows, each
  // padded to DibRowStride(width, 8) with zeros. False for a picture without
  // pixels.
  bool Palettize(const RgbImage& image, std::vector<RgbTriple>* palette,
                 std::vector<uint8_t>* paddedRows);

  // The tree operations, public so tests can drive them directly.
  void AddColor(uint8_t r, uint8_t g, uint8_t b);
  void ReduceTree();
  void DeleteTree();
  size_t LeafCount() const { return leafCount_; }
  // One colour per leaf, depth first with children in index order: each channel
  // is the leaf's sum divided by its pixel count.
  std::vector<RgbTriple> GetPaletteColors();

 private:
  static constexpr int kNone = -1;
  struct Node {
    bool isLeaf = false;
    uint32_t pixelCount = 0;
    uint64_t redSum = 0, greenSum = 0, blueSum = 0;  // 64-bit: no overflow on big pictures
    int child[8] = {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    int next = kNone;  // next node in the reducible list of its level
  };

  // The pixel's path through the tree: three bits per level, level 0 highest.
  static uint32_t PathOf(uint8_t r, uint8_t g, uint8_t b);
  // Counts a colour whose path is known; repeats of the previous leaf take the
  // short way, which makes no leaf and so needs no reduction.
  void AddPath(uint8_t r, uint8_t g, uint8_t b, uint32_t path);
  // The rest of a path from node, whose child at shift is missing: makes the
  // nodes down to a leaf, counts the colour, then reduces while there are too
  // many leaves.
  // The colour travels packed, so the walk's caller keeps fewer registers.
  struct Rgb {
    uint8_t r, g, b;
  };
  void GrowPath(Rgb color, uint32_t path, uint32_t key, int node, unsigned shift);
  void CountInLeaf(uint8_t r, uint8_t g, uint8_t b, uint32_t key, int leaf);
  int CreateNode(unsigned level);
  void FreeNode(int node);
  void CollectPalette(int node, std::vector<RgbTriple>* out);

  unsigned maxColors_;
  unsigned colorBits_;
  unsigned keyShift_;  // drops the path bits below depth colorBits
  int root_ = kNone;
  size_t leafCount_ = 0;
  std::vector<Node> nodes_;      // node storage; freed slots are reused
  std::vector<int> freeNodes_;
  std::vector<int> reducible_;   // list head per level 0..colorBits
  // The leaf the previous colour went into, keyed by its path to that depth;
  // valid until the next reduction, which may free it.
  uint32_t lastKey_ = 0;
  int lastLeaf_ = kNone;
};

}  // namespace kov

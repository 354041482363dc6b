#include <gtest/gtest.h>

#include "tests/support/PictureSamples.h"
#include "formats/BmpReader.h"
#include "formats/BmpToGif.h"
#include "formats/GifWriter.h"
#include "formats/OctreeQuantizer.h"

using namespace kov;
using samples::DecodeGif;

namespace {

std::vector<uint8_t> ToGif(const std::vector<uint8_t>& bmp) {
  std::vector<uint8_t> gif;
  std::string error;
  EXPECT_TRUE(CGifWriter().ConvertBmp(bmp, &gif, &error)) << error;
  return gif;
}

// A picture of w x h pixels whose indices cycle through `used`.
std::vector<uint8_t> IndexPattern(uint32_t w, uint32_t h, const std::vector<uint8_t>& used) {
  std::vector<uint8_t> idx(size_t{w} * h);
  for (size_t i = 0; i < idx.size(); ++i) idx[i] = used[i % used.size()];
  return idx;
}

std::vector<uint32_t> DistinctTable() {
  std::vector<uint32_t> table;
  for (uint32_t i = 0; i < 256; ++i) table.push_back(0x010203 * i ^ 0x405060);
  return table;
}

// The position of the LZW minimum code size byte: header, screen, table, image descriptor.
size_t MinCodeSizeAt(int bits) { return 13 + 3 * (size_t{1} << bits) + 10; }

struct LzwScan {
  bool ok = false;
  int clearsAt12Bits = 0;
  size_t maxSubBlock = 0;
};

// Reads the code stream the way a decoder does (width grows when the next code
// reaches 2^width, up to 12; a clear code restarts) and records what it saw.
LzwScan ScanLzw(const std::vector<uint8_t>& gif, size_t at) {
  LzwScan scan;
  int minCode = gif[at++];
  std::vector<uint8_t> data;
  while (at < gif.size() && gif[at] != 0) {
    size_t len = gif[at];
    scan.maxSubBlock = std::max(scan.maxSubBlock, len);
    data.insert(data.end(), gif.begin() + at + 1, gif.begin() + at + 1 + len);
    at += 1 + len;
  }
  if (at + 2 != gif.size() || gif[at + 1] != ';') return scan;
  int clear = 1 << minCode, width = minCode + 1, next = clear + 2;
  bool afterClear = true;
  size_t bit = 0;
  while (bit + width <= data.size() * 8) {
    int code = 0;
    for (int b = 0; b < width; ++b, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << b;
    if (code == clear) {
      if (width == 12) ++scan.clearsAt12Bits;
      width = minCode + 1, next = clear + 2, afterClear = true;
      continue;
    }
    if (code == clear + 1) {
      scan.ok = true;
      break;
    }
    if (!afterClear && next < 4096) ++next;
    afterClear = false;
    if (next == (1 << width) && width < 12) ++width;
  }
  return scan;
}

}  // namespace

// Hand-traced encodings: the output bytes are fixed, so they are checked whole.
TEST(GifWriter, ExactBytesOfSmallPictures) {
  std::vector<uint8_t> one = ToGif(samples::Bmp8(1, 1, {0x102030}, {0}));
  std::vector<uint8_t> expectOne = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                    0x10, 0x20, 0x30, 0, 0, 0,  // second entry black
                                    ',', 0, 0, 0, 0, 1, 0, 1, 0, 0,
                                    2,                 // minimum code size
                                    2, 0x44, 0x01,     // clear, 0, end at 3 bits
                                    0, ';'};
  EXPECT_EQ(one, expectOne);

  // Four equal pixels: the dictionary grows to code 7, so the end code goes out at 4 bits.
  std::vector<uint8_t> four = ToGif(samples::Bmp8(4, 1, {0xFFFFFF}, {0, 0, 0, 0}));
  std::vector<uint8_t> tail(four.end() - 6, four.end());
  EXPECT_EQ(tail, (std::vector<uint8_t>{2, 2, 0x84, 0x51, 0, ';'}));
}

TEST(GifWriter, ColourTableWidthFollowsUsedIndices) {
  struct Case {
    size_t used;
    int bits;
  } cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {128, 7}, {129, 8}, {256, 8}};
  for (const Case& c : cases) {
    std::vector<uint8_t> used;
    for (size_t i = 0; i < c.used; ++i) used.push_back(uint8_t(255 - i));  // from the top end
    std::vector<uint8_t> gif = ToGif(samples::Bmp8(16, 16, DistinctTable(), IndexPattern(16, 16, used)));
    ASSERT_GT(gif.size(), MinCodeSizeAt(c.bits)) << c.used;
    EXPECT_EQ(gif[10], 0x80 + (c.bits - 1) * 17) << c.used;
    EXPECT_EQ(gif[MinCodeSizeAt(c.bits) - 10], ',') << c.used;
    EXPECT_EQ(gif[MinCodeSizeAt(c.bits)], std::max(c.bits, 2)) << c.used;
    samples::DecodedGif d = DecodeGif(gif);
    ASSERT_TRUE(d.ok) << c.used;
    EXPECT_EQ(d.colorCount, 1 << c.bits);
  }
}

TEST(GifWriter, OnlyUsedEntriesReachTheGifInBmpOrder) {
  std::vector<uint32_t> table = DistinctTable();
  // Index 17 appears only in the top row; 200 and 5 elsewhere.
  std::vector<uint8_t> idx(8 * 4, 200);
  idx[3] = 17;
  idx[20] = 5;
  samples::DecodedGif d = DecodeGif(ToGif(samples::Bmp8(8, 4, table, idx)));
  ASSERT_TRUE(d.ok);
  ASSERT_EQ(d.colorCount, 4);  // three used: two bits, the fourth entry black
  EXPECT_EQ(d.colors, (std::vector<uint32_t>{table[5], table[17], table[200], 0}));
  EXPECT_EQ(d.indices[3], 1);
  EXPECT_EQ(d.indices[20], 0);
  EXPECT_EQ(d.indices[0], 2);
}

TEST(GifWriter, FullTableIsClearedAndSubBlocksStayShort) {
  std::vector<uint8_t> idx(120 * 120);
  std::mt19937 rng(7);
  for (uint8_t& v : idx) v = uint8_t(rng());
  std::vector<uint8_t> gif = ToGif(samples::Bmp8(120, 120, DistinctTable(), idx));
  LzwScan scan = ScanLzw(gif, MinCodeSizeAt(8));
  EXPECT_TRUE(scan.ok);
  EXPECT_GE(scan.clearsAt12Bits, 1);
  EXPECT_EQ(scan.maxSubBlock, 254u);
  samples::DecodedGif d = DecodeGif(gif);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.indices, idx);  // every used index is its own GIF index here
}

// Every picture, 8-bit or through the quantiser, decodes with giflib to exactly
// the colours of the 8-bit BMP it came from.
TEST(GifWriter, GiflibDecodesExactlyWhatWasPutIn) {
  struct Named {
    const char* name;
    samples::Picture picture;
  } pictures[] = {{"1x1", samples::Flat(1, 1, 9, 99, 199)},
                  {"120x1", samples::Gradient(120, 1)},
                  {"1x120", samples::Gradient(1, 120)},
                  {"flat", samples::Flat(120, 120, 40, 80, 120)},
                  {"gradient", samples::Gradient(120, 120)},
                  {"noise", samples::Noise(120, 120, 3)},
                  {"odd", samples::Noise(37, 11, 4)}};
  for (const Named& n : pictures) {
    std::vector<uint8_t> bmp24 = samples::Bmp24(n.picture), bmp8, gif, direct;
    ASSERT_TRUE(COctreeQuantizer().QuantizeBmp(bmp24, &bmp8)) << n.name;
    ASSERT_TRUE(ConvertBmpToGif(bmp24, &gif)) << n.name;
    ASSERT_TRUE(ConvertBmpToGif(bmp8, &direct)) << n.name;
    EXPECT_EQ(gif, direct) << n.name;
    RgbImage expected;
    ASSERT_TRUE(ReadBmpImage(bmp8.data(), bmp8.size(), &expected, nullptr));
    samples::DecodedGif d = DecodeGif(gif);
    ASSERT_TRUE(d.ok) << n.name;
    ASSERT_EQ(d.width, int(n.picture.width));
    ASSERT_EQ(d.height, int(n.picture.height));
    for (uint32_t y = 0; y < n.picture.height; ++y)
      for (uint32_t x = 0; x < n.picture.width; ++x) {
        const uint8_t* e = &expected.rgb[((n.picture.height - 1 - y) * size_t{n.picture.width} + x) * 3];
        ASSERT_EQ(d.Rgb(size_t{y} * n.picture.width + x), uint32_t(e[0] << 16 | e[1] << 8 | e[2]))
            << n.name << " at " << x << "," << y;
      }
  }
}

TEST(GifWriter, TopDownBmpGivesTheSameGifAsBottomUp) {
  std::vector<uint8_t> idx = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  std::vector<uint8_t> bottomUp = samples::Bmp8(4, 3, DistinctTable(), idx);
  // The same picture stored top-down: negative height, rows in picture order.
  std::vector<uint8_t> topDown = samples::BmpHeaders(4, -3, 8, 0, {}, 12);
  std::vector<uint8_t> table(bottomUp.begin() + 54, bottomUp.end() - 12);
  topDown.insert(topDown.begin() + 54, table.begin(), table.end());
  topDown[10] = uint8_t(54 + table.size()), topDown[11] = uint8_t((54 + table.size()) >> 8);
  topDown.insert(topDown.end(), idx.begin(), idx.end());
  EXPECT_EQ(ToGif(topDown), ToGif(bottomUp));
}

// An 8-bit picture is quantised like any other before it is encoded: its colour
// table order and near-duplicate colours do not reach the thumbnail.
TEST(GifWriter, EightBitPicturesAreQuantisedFirst) {
  const std::vector<std::vector<uint32_t>> tables = {
      {0xFFFFFF, 0x000000},  // white listed first: the quantiser orders black first
      {0x000000, 0x010203},  // differ below the top 6 bits: one colour
  };
  for (const std::vector<uint32_t>& table : tables) {
    std::vector<uint8_t> bmp8 = samples::Bmp8(2, 1, table, {0, 1}), quantised, viaFiles, gif;
    ASSERT_TRUE(COctreeQuantizer(256, 6).QuantizeBmp(bmp8, &quantised));
    ASSERT_TRUE(CGifWriter().ConvertBmp(quantised, &viaFiles));
    ASSERT_TRUE(ConvertBmpToGif(bmp8, &gif));
    EXPECT_EQ(gif, viaFiles) << std::hex << table[0];
  }
  std::vector<uint8_t> gif;
  ASSERT_TRUE(ConvertBmpToGif(samples::Bmp8(2, 1, tables[1], {0, 1}), &gif));
  samples::DecodedGif d = DecodeGif(gif);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.indices[0], d.indices[1]);  // both pixels one colour
}

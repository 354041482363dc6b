#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "tests/support/PictureSamples.h"
#include "base/FileBytes.h"
#include "formats/BmpReader.h"
#include "formats/NearestColorFinder.h"
#include "formats/OctreeQuantizer.h"

using namespace kov;

namespace {

std::vector<uint8_t> Quantize(const std::vector<uint8_t>& bmp) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(COctreeQuantizer().QuantizeBmp(bmp, &out, &error)) << error;
  return out;
}

uint32_t Le32At(const std::vector<uint8_t>& v, size_t at) {
  return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | uint32_t(v[at + 3]) << 24;
}

// The colour table of an 8-bit BMP as 0xRRGGBB values.
std::vector<uint32_t> Palette(const std::vector<uint8_t>& bmp8) {
  std::vector<uint32_t> colors;
  for (uint32_t i = 0; i < Le32At(bmp8, 46); ++i) {
    const uint8_t* e = &bmp8[54 + 4 * i];
    colors.push_back(e[2] << 16 | e[1] << 8 | e[0]);
  }
  return colors;
}

// A picture made of the given colours, each repeated `times`.
samples::Picture Repeat(const std::vector<uint32_t>& colors, size_t times, uint32_t width) {
  samples::Picture p{width, 0, {}};
  for (uint32_t c : colors)
    for (size_t i = 0; i < times; ++i) p.rgb.insert(p.rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  p.height = uint32_t(p.rgb.size() / 3 / width);
  return p;
}

}  // namespace

TEST(Quantizer, FewColoursKeepExactAveragesAndLayout) {
  // Two 6-bit groups, each of colours that differ only in their two low bits,
  // and one colour differing in bit 2, which needs its own leaf.
  samples::Picture p = Repeat({0x404040, 0x414243, 0x434343, 0x808000, 0x838003, 0x444040}, 4, 6);
  std::vector<uint8_t> out = Quantize(samples::Bmp24(p));
  // Depth-first order: 0x40.. (0x41+0x40+0x43)/3 = 0x41 etc., then 0x444040, then 0x81..
  EXPECT_EQ(Palette(out), (std::vector<uint32_t>{0x414142, 0x444040, 0x818001}));
  size_t stride = 8;  // width 6 rounded up
  EXPECT_EQ(Le32At(out, 2), 54 + 4 * 3 + stride * 4);  // bfSize
  EXPECT_EQ(Le32At(out, 10), 54u + 12);                 // bfOffBits
  EXPECT_EQ(Le32At(out, 34), stride * 4);               // biSizeImage
  EXPECT_EQ(Le32At(out, 50), 3u);                       // biClrImportant
  const uint8_t* rows = &out[66];
  for (int y = 0; y < 4; ++y) EXPECT_EQ(rows[y * 8 + 6] | rows[y * 8 + 7], 0) << "padding";
}

TEST(Quantizer, SingleColourGivesOneEntry) {
  std::vector<uint8_t> out = Quantize(samples::Bmp24(samples::Flat(5, 3, 10, 20, 30)));
  EXPECT_EQ(Palette(out), std::vector<uint32_t>{0x0A141E});
  EXPECT_EQ(Le32At(out, 10), 58u);
  EXPECT_EQ(out.size(), 58u + 8 * 3);
}

TEST(Quantizer, EveryDepthOfOnePictureGivesTheSameOutput) {
  // Channel values that survive 5-bit storage, so 16-bit pictures hold them exactly.
  samples::Picture two = Repeat({0x082030, 0xF8A858}, 9, 6);
  std::vector<uint8_t> expected = Quantize(samples::Bmp24(two));
  for (int bits : {1, 4, 8}) EXPECT_EQ(Quantize(samples::BmpIndexed(two, bits)), expected) << bits;
  EXPECT_EQ(Quantize(samples::Bmp16(two, false)), expected);
  EXPECT_EQ(Quantize(samples::Bmp16(two, true)), expected);
  EXPECT_EQ(Quantize(samples::Bmp32(two, false)), expected);
  EXPECT_EQ(Quantize(samples::Bmp32(two, true)), expected);

  samples::Picture many{20, 10, {}};
  for (uint32_t i = 0; i < 200; ++i)
    many.rgb.insert(many.rgb.end(), {uint8_t(i % 8 * 32), uint8_t(i / 8 * 8), uint8_t(248 - i % 5 * 40)});
  expected = Quantize(samples::Bmp24(many));
  EXPECT_EQ(Quantize(samples::BmpIndexed(many, 8)), expected);
  EXPECT_EQ(Quantize(samples::Bmp16(many, false)), expected);
  EXPECT_EQ(Quantize(samples::Bmp32(many, true)), expected);
}

TEST(Quantizer, ManyColoursMapToTheNearestOfAtMost256) {
  samples::Picture noise = samples::Noise(120, 120, 11);
  std::vector<uint8_t> out = Quantize(samples::Bmp24(noise));
  std::vector<uint32_t> palette = Palette(out);
  ASSERT_LE(palette.size(), 256u);
  ASSERT_GT(palette.size(), 200u);
  const uint8_t* rows = &out[Le32At(out, 10)];
  for (uint32_t y = 0; y < 120; ++y)
    for (uint32_t x = 0; x < 120; ++x) {
      const uint8_t* c = noise.At(x, 119 - y);
      int best = 1 << 30, bestIndex = -1;
      for (size_t i = 0; i < palette.size(); ++i) {
        int dr = int(palette[i] >> 16) - c[0], dg = int(palette[i] >> 8 & 255) - c[1],
            db = int(palette[i] & 255) - c[2];
        if (dr * dr + dg * dg + db * db < best) best = dr * dr + dg * dg + db * db, bestIndex = int(i);
      }
      ASSERT_EQ(rows[y * 120 + x], bestIndex) << x << "," << y;
    }
}

TEST(Quantizer, ReductionMergesTheNewestNodeOfTheDeepestLevel) {
  COctreeQuantizer q(4, 6);
  // A and B share a level-5 parent, as do C and D (made later); E stands alone.
  for (uint32_t c : {0x000000u, 0x040000u, 0x800000u, 0x840000u, 0xFFFFFFu})
    q.AddColor(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
  EXPECT_EQ(q.LeafCount(), 4u);
  std::vector<RgbTriple> p = q.GetPaletteColors();
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0], (RgbTriple{0, 0, 0}));
  EXPECT_EQ(p[1], (RgbTriple{4, 0, 0}));
  EXPECT_EQ(p[2], (RgbTriple{0x82, 0, 0}));  // C and D merged
  EXPECT_EQ(p[3], (RgbTriple{255, 255, 255}));
  q.DeleteTree();
  EXPECT_EQ(q.LeafCount(), 0u);
  EXPECT_TRUE(q.GetPaletteColors().empty());
}

TEST(Quantizer, FileFormsReplaceInPlaceAndKeepOldFilesOnFailure) {
  std::string dir = testing::TempDir() + "quant-" + std::to_string(getpid());
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  std::string path = dir + "/a.bmp", other = dir + "/b.bmp";
  std::vector<uint8_t> bmp24 = samples::Bmp24(samples::Gradient(30, 20)), onDisk;
  ASSERT_TRUE(WriteFileAtomically(path, bmp24, nullptr));
  std::string error;
  ASSERT_TRUE(COctreeQuantizer().QuantizeBmpFile(path, path, &error)) << error;
  ASSERT_TRUE(ReadFileBytes(path, &onDisk, nullptr));
  EXPECT_EQ(onDisk, Quantize(bmp24));

  // A source that is not a BMP leaves an existing destination untouched.
  ASSERT_TRUE(WriteFileAtomically(other, {'n', 'o', 'p', 'e'}, nullptr));
  EXPECT_FALSE(COctreeQuantizer().QuantizeBmpFile(other, path, &error));
  EXPECT_NE(error.find("not a BMP"), std::string::npos) << error;
  ASSERT_TRUE(ReadFileBytes(path, &onDisk, nullptr));
  EXPECT_EQ(onDisk, Quantize(bmp24));
  EXPECT_FALSE(COctreeQuantizer().QuantizeBmpFile(dir + "/missing.bmp", other, &error));
  unlink(path.c_str());
  unlink(other.c_str());
  rmdir(dir.c_str());
}

// The cell lists must keep every entry that can be nearest, ties included:
// dense, sparse and duplicated palettes against a search of every entry.
TEST(Quantizer, NearestColourFinderMatchesAFullSearch) {
  std::mt19937 rng(5);
  for (int round = 0; round < 400; ++round) {
    // The whole cube, a cluster, a few values, or a lattice on cell corners
    // (where ties and boundary cases are common).
    int kind = round % 4, spread = kind == 0 ? 256 : kind == 1 ? 40 : 4;
    int base = kind == 3 ? 0 : int(rng() % (257 - spread));
    auto value = [&] { return uint8_t(kind == 3 ? rng() % 9 * 32 - (rng() % 9 == 8) : base + rng() % spread); };
    size_t size = 1 + rng() % 256;
    std::vector<RgbTriple> palette(size);
    for (RgbTriple& c : palette)
      for (uint8_t& v : c) v = value();
    if (size > 1) palette[size - 1] = palette[0];  // a duplicate: the lower index must win
    CNearestColorFinder finder(palette);
    for (int probe = 0; probe < 300; ++probe) {
      bool near = probe % 2;  // half inside the palette's range, half anywhere
      uint8_t r = near ? value() : uint8_t(rng()), g = near ? value() : uint8_t(rng()),
              b = near ? value() : uint8_t(rng());
      int best = 1 << 30, bestIndex = -1;
      for (size_t i = 0; i < size; ++i) {
        int dr = palette[i][0] - r, dg = palette[i][1] - g, db = palette[i][2] - b;
        if (dr * dr + dg * dg + db * db < best) best = dr * dr + dg * dg + db * db, bestIndex = int(i);
      }
      ASSERT_EQ(finder.Find(r, g, b), bestIndex) << "round " << round << " colour " << int(r) << ","
                                                 << int(g) << "," << int(b);
    }
  }
}

#include <gtest/gtest.h>

#include "tests/support/PictureSamples.h"
#include "formats/BmpReader.h"
#include "formats/BmpToGif.h"
#include "formats/GifWriter.h"

using namespace kov;

namespace {

void SetLe32(std::vector<uint8_t>* v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) (*v)[at + i] = uint8_t(x >> (8 * i));
}

// Refused by the reader and by every converter built on it. The data is copied
// into a buffer of exactly its size, so a read past it shows under a sanitizer.
// Refused by the reader (with reason in its words, when given) and by the converter.
void ExpectRefused(const std::vector<uint8_t>& bmp, const std::string& why,
                   const std::string& reason = "") {
  std::vector<uint8_t> exact(bmp);
  exact.shrink_to_fit();
  RgbImage image;
  std::string error;
  EXPECT_FALSE(ReadBmpImage(exact.data(), exact.size(), &image, &error)) << why;
  EXPECT_FALSE(error.empty()) << why;
  EXPECT_NE(error.find(reason), std::string::npos) << why << ": " << error;
  std::vector<uint8_t> gif;
  EXPECT_FALSE(ConvertBmpToGif(exact, &gif)) << why;
}

std::vector<uint8_t> Small24() { return samples::Bmp24(samples::Gradient(5, 4)); }

}  // namespace

TEST(BmpReader, DecodesEveryDepth) {
  samples::Picture p = samples::Gradient(7, 3);
  for (uint8_t& v : p.rgb) v &= 0xF8;  // what 5-bit channels keep
  auto expectPicture = [&](const std::vector<uint8_t>& bmp, const char* what) {
    RgbImage img;
    ASSERT_TRUE(ReadBmpImage(bmp.data(), bmp.size(), &img, nullptr)) << what;
    ASSERT_EQ(img.width, 7u);
    ASSERT_EQ(img.height, 3);
    for (uint32_t y = 0; y < 3; ++y)  // stored bottom-up
      EXPECT_EQ(0, memcmp(&img.rgb[(2 - y) * 21], p.At(0, y), 21)) << what << " row " << y;
  };
  expectPicture(samples::Bmp24(p), "24");
  expectPicture(samples::Bmp32(p, false), "32");
  expectPicture(samples::Bmp32(p, true), "32 bit fields");
  expectPicture(samples::Bmp16(p, false), "16");
  expectPicture(samples::Bmp16(p, true), "16 5-6-5");
  expectPicture(samples::BmpIndexed(p, 8), "8");
  samples::Picture two = samples::Flat(9, 2, 0, 0, 0);
  two.rgb[3 * 4] = 255;
  std::vector<uint8_t> oneBit = samples::BmpIndexed(two, 1), fourBit = samples::BmpIndexed(two, 4);
  for (const auto* bmp : {&oneBit, &fourBit}) {
    RgbImage img;
    ASSERT_TRUE(ReadBmpImage(bmp->data(), bmp->size(), &img, nullptr));
    EXPECT_EQ(img.rgb[9 * 3 + 12], 255);  // top row, x = 4
    EXPECT_EQ(img.rgb[9 * 3 + 15], 0);
  }
}

TEST(BmpReader, ScalesNarrowChannelsAndBlacksOutIndicesPastTheTable) {
  // 32 bits with 4-bit channels: 0xF scales to 0xF0 rather than staying dark.
  std::vector<uint8_t> masks;
  samples::Le32(&masks, 0xF00), samples::Le32(&masks, 0x0F0), samples::Le32(&masks, 0x00F);
  std::vector<uint8_t> bmp = samples::BmpHeaders(1, 1, 32, 3, masks, 4);
  samples::Le32(&bmp, 0xF80);
  RgbImage img;
  ASSERT_TRUE(ReadBmpImage(bmp.data(), bmp.size(), &img, nullptr));
  EXPECT_EQ(img.rgb, (std::vector<uint8_t>{0xF0, 0x80, 0x00}));

  // An 8-bit picture with a two-entry table and an index of 200.
  std::vector<uint8_t> table;
  samples::Le32(&table, 0x112233), samples::Le32(&table, 0x445566);
  bmp = samples::BmpHeaders(2, 1, 8, 0, table, 4, 2);
  bmp.insert(bmp.end(), {1, 200, 0, 0});
  ASSERT_TRUE(ReadBmpImage(bmp.data(), bmp.size(), &img, nullptr));
  EXPECT_EQ(img.rgb, (std::vector<uint8_t>{0x44, 0x55, 0x66, 0, 0, 0}));

  // The same without a stated table size (biClrUsed 0): the table is the two entries
  // stored before the pixels, not 256 that would run into them and past the end.
  bmp[46] = bmp[47] = bmp[48] = bmp[49] = 0;
  ASSERT_TRUE(ReadBmpImage(bmp.data(), bmp.size(), &img, nullptr));
  EXPECT_EQ(img.rgb, (std::vector<uint8_t>{0x44, 0x55, 0x66, 0, 0, 0}));
  std::vector<uint8_t> gif;
  EXPECT_TRUE(CGifWriter().ConvertBmp(bmp, &gif, nullptr));
  EXPECT_TRUE(ConvertBmpToGif(bmp, &gif));
}

TEST(BmpReader, RefusesEveryTruncation) {
  for (const std::vector<uint8_t>& bmp :
       {Small24(), samples::Bmp16(samples::Gradient(3, 3), true),
        samples::BmpIndexed(samples::Flat(4, 4, 1, 2, 3), 4)}) {
    for (size_t n = 0; n < bmp.size(); ++n)
      ExpectRefused(std::vector<uint8_t>(bmp.begin(), bmp.begin() + n), "cut at " + std::to_string(n));
  }
}

TEST(BmpReader, RefusesLyingHeaders) {
  const char* kSize = "zero, negative or absurd size";
  const char* kRows = "pixel rows run past the end";
  const char* kCompressed = "is compressed";
  const char* kDepth = "depth is not";
  struct Lie {
    const char* why;
    size_t at;
    uint32_t value;
    const char* reason;
  } lies[] = {{"pixel offset past the end", 10, 0xFFFFFFF0, kRows},
              {"pixel offset into the headers", 10, 20, "pixel offset points into the headers"},
              {"header size unknown", 14, 20, "header size is unknown"},
              {"header size past the end", 14, 0x7FFFFFFF, "header is cut short"},
              {"zero width", 18, 0, kSize},
              {"negative width", 18, 0xFFFFFFFB, kSize},
              {"huge width", 18, 0x7FFFFFFF, kSize},
              {"zero height", 22, 0, kSize},
              {"most negative height", 22, 0x80000000, kSize},
              {"rows past the end", 22, 60000, kRows},
              {"absurd pixel count", 18, 60000, kRows},
              {"two planes", 26, 0x00180002, "more than one plane"},
              {"depth 2", 28, 2, kDepth},
              {"depth 0", 28, 0, kDepth},
              {"RLE8", 30, 1, kCompressed},
              {"RLE4", 30, 2, kCompressed},
              {"bit fields on 24 bits", 30, 3, kCompressed},
              {"JPEG", 30, 4, kCompressed},
              {"PNG", 30, 5, kCompressed}};
  for (const Lie& lie : lies) {
    std::vector<uint8_t> bmp = Small24();
    SetLe32(&bmp, lie.at, lie.value);
    ExpectRefused(bmp, lie.why, lie.reason);
  }
  // Width and height that overflow a 32-bit product.
  std::vector<uint8_t> bmp = Small24();
  SetLe32(&bmp, 18, 65535), SetLe32(&bmp, 22, 65535);
  ExpectRefused(bmp, "65535 x 65535", kSize);
  // A colour table that claims more entries than the file holds.
  bmp = samples::BmpIndexed(samples::Flat(2, 2, 1, 2, 3), 8);
  SetLe32(&bmp, 46, 256);
  bmp.resize(bmp.size() - 8);
  SetLe32(&bmp, 10, 54);
  ExpectRefused(bmp, "colour table past the end", "colour table runs past the end");
}

TEST(BmpReader, RefusesNonsenseBitFields) {
  struct Masks {
    const char* why;
    int bits;
    uint32_t r, g, b;
  } cases[] = {{"zero mask", 16, 0xF800, 0, 0x1F},
               {"overlapping masks", 16, 0xF800, 0xFFE0, 0x1F},
               {"gaps in a mask", 32, 0xFF0F0000, 0xFF00, 0xFF},
               {"mask outside 16 bits", 16, 0x1F0000, 0x7E0, 0x1F}};
  for (const Masks& m : cases) {
    std::vector<uint8_t> masks;
    samples::Le32(&masks, m.r), samples::Le32(&masks, m.g), samples::Le32(&masks, m.b);
    std::vector<uint8_t> bmp = samples::BmpHeaders(1, 1, m.bits, 3, masks, 4);
    bmp.resize(bmp.size() + 4, 0x55);
    ExpectRefused(bmp, m.why);
  }
  // Masks cut off by the end of the file.
  std::vector<uint8_t> bmp = samples::BmpHeaders(1, 1, 16, 3, {}, 0);
  ExpectRefused(bmp, "no room for masks");
}

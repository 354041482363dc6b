// The response buffer: the growth rule, the spare bytes behind the data, reads that
// consume from the front, and sizes that must be refused rather than overflow.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "pages/PageBuffer.h"

using namespace kov;

namespace {

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 26);
  return s;
}

std::string ReadAll(CPageBuffer* buffer, size_t chunk) {
  std::string out;
  std::string piece(chunk, '\0');
  while (size_t got = buffer->Read(&piece[0], chunk)) out.append(piece, 0, got);
  return out;
}

}  // namespace

TEST(PageBuffer, GrowsOnlyWhenTheSpareBytesNoLongerFit) {
  CPageBuffer fits;
  ASSERT_TRUE(fits.Append(Pattern(65519)));  // 65519 + 16 < 65536
  EXPECT_EQ(fits.GetCapacity(), 65536u);

  CPageBuffer oneMore;
  ASSERT_TRUE(oneMore.Append(Pattern(65520)));
  EXPECT_EQ(oneMore.GetCapacity(), 147456u);

  CPageBuffer large;
  std::string bytes = Pattern(70000);
  ASSERT_TRUE(large.Append(bytes));
  EXPECT_EQ(large.GetCapacity(), 147456u);  // 65536 + 65536 + 16384, in one step
  EXPECT_EQ(ReadAll(&large, 4096), bytes);

  // Growth when data is already held: free 536, shortfall 80, rounded up to 16 KiB.
  CPageBuffer held;
  std::string first = Pattern(65000), second(600, '#');
  ASSERT_TRUE(held.Append(first));
  ASSERT_TRUE(held.Append(second));
  EXPECT_EQ(held.GetCapacity(), 65536u + 536u + 16384u);
  EXPECT_EQ(held.GetTotalAppended(), 65600u);
  EXPECT_EQ(ReadAll(&held, 1000), first + second);
}

TEST(PageBuffer, ReadsConsumeFromTheFrontAndKeepTheTotal) {
  CPageBuffer buffer;
  EXPECT_TRUE(buffer.Append(static_cast<const char*>(nullptr)));
  EXPECT_TRUE(buffer.Append(""));
  EXPECT_TRUE(buffer.Append(nullptr, 5));
  EXPECT_EQ(buffer.GetTotalAppended(), 0u);

  ASSERT_TRUE(buffer.Append("abcdef"));
  char out[16] = {};
  EXPECT_EQ(buffer.Read(out, 4), 4u);
  EXPECT_EQ(std::string(out, 4), "abcd");
  EXPECT_EQ(buffer.GetLength(), 2u);  // the rest moved to the front
  ASSERT_TRUE(buffer.Append("gh"));
  EXPECT_EQ(buffer.Read(out, sizeof out), 4u);
  EXPECT_EQ(std::string(out, 4), "efgh");
  EXPECT_EQ(buffer.Read(out, sizeof out), 0u);
  EXPECT_EQ(buffer.GetTotalAppended(), 8u);  // reading never reduces it
  EXPECT_EQ(buffer.Read(nullptr, 4), 0u);
}

TEST(PageBuffer, RefusesSizesThatWouldOverflowTheCapacity) {
  CPageBuffer buffer;
  ASSERT_TRUE(buffer.Append("kept"));
  static const char kByte = 'x';
  // The lengths are never used to copy: the growth must be refused first.
  EXPECT_FALSE(buffer.Append(&kByte, std::numeric_limits<size_t>::max()));
  EXPECT_FALSE(buffer.Append(&kByte, std::numeric_limits<uint32_t>::max() - 8));
  EXPECT_EQ(buffer.GetCapacity(), 65536u);
  EXPECT_EQ(buffer.GetTotalAppended(), 4u);
  EXPECT_EQ(ReadAll(&buffer, 16), "kept");
}

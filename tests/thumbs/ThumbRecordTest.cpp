#include <gtest/gtest.h>

#include <cstring>

#include "thumbs/ThumbRecord.h"

using namespace kov;

namespace {
uint32_t U32At(const unsigned char* raw, size_t offset) {
  return raw[offset] | raw[offset + 1] << 8 | raw[offset + 2] << 16 | uint32_t(raw[offset + 3]) << 24;
}
}  // namespace

TEST(ThumbRecord, HeaderFieldsSitAtTheirOffsets) {
  ThumbHeader header;
  header.name = "Trip 01.JPG";
  header.lastWrite = 0x01D2A3B4C5D6E7F8ULL;
  header.dataLength = 0x01020304;
  header.height = -2;
  header.width = 640;
  unsigned char raw[kThumbHeaderSize];
  std::memset(raw, 0xCC, sizeof raw);
  ASSERT_TRUE(EncodeThumbHeader(header, raw));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw)), "Trip 01.JPG");
  for (size_t i = header.name.size(); i < 260; ++i) ASSERT_EQ(raw[i], 0) << "name padding " << i;
  EXPECT_EQ(U32At(raw, 260), 0u);
  EXPECT_EQ(U32At(raw, 264), 0xC5D6E7F8u);  // low half first
  EXPECT_EQ(U32At(raw, 268), 0x01D2A3B4u);
  EXPECT_EQ(U32At(raw, 272), 0x01020304u);
  EXPECT_EQ(U32At(raw, 276), 0xFFFFFFFEu);
  EXPECT_EQ(U32At(raw, 280), 640u);

  ThumbHeader back = DecodeThumbHeader(raw);
  EXPECT_EQ(back.name, header.name);
  EXPECT_EQ(back.lastWrite, header.lastWrite);
  EXPECT_EQ(back.dataLength, header.dataLength);
  EXPECT_EQ(back.height, -2);
  EXPECT_EQ(back.width, 640);
}

TEST(ThumbRecord, NamesThatCannotBeStored) {
  unsigned char raw[kThumbHeaderSize];
  ThumbHeader header;
  header.name = std::string(259, 'n');
  EXPECT_TRUE(EncodeThumbHeader(header, raw));  // 259 bytes and the NUL fill the field
  header.name = std::string(260, 'n');
  EXPECT_FALSE(EncodeThumbHeader(header, raw));
  header.name = "";
  EXPECT_FALSE(EncodeThumbHeader(header, raw));
  header.name = std::string("a\0b", 3);
  EXPECT_FALSE(EncodeThumbHeader(header, raw));

  // A stored name without NUL stops at the end of its field.
  std::memset(raw, 'x', sizeof raw);
  EXPECT_EQ(DecodeThumbHeader(raw).name, std::string(260, 'x'));
}

TEST(ThumbRecord, ScrambleUsesTheFirstKeyByteFromTheNinthByteOn) {
  const uint64_t time = 0x8877665544332211ULL;
  unsigned char data[12] = {};
  ScramblePayload(time, data, sizeof data);
  const unsigned char key[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(data[i], 0x6B ^ key[i]) << i;
  for (int i = 8; i < 12; ++i) EXPECT_EQ(data[i], 0x6B ^ 0x11) << i;  // not key[i % 8]

  // Its own inverse, and scrambling a part at its payload index agrees with the whole.
  ScramblePayload(time, data, sizeof data);
  for (unsigned char b : data) EXPECT_EQ(b, 0);
  unsigned char whole[12], parts[12];
  for (int i = 0; i < 12; ++i) whole[i] = parts[i] = static_cast<unsigned char>(i * 19);
  ScramblePayload(time, whole, 12);
  ScramblePayload(time, parts, 5);
  ScramblePayload(time, parts + 5, 7, 5);
  EXPECT_EQ(0, std::memcmp(whole, parts, 12));
}

TEST(ThumbRecord, FileTimeCountsHundredsOfNanosecondsSince1601) {
  EXPECT_EQ(FileTimeFromUnix(0, 0), 116444736000000000ULL);
  EXPECT_EQ(FileTimeFromUnix(1, 999), 116444736000000000ULL + 10000000ULL + 9);
  EXPECT_EQ(FileTimeFromUnix(-11644473600LL, 0), 0u);
  EXPECT_EQ(FileTimeFromUnix(-11644473601LL, 0), 0u);  // before 1601: clamped, no wrap
}

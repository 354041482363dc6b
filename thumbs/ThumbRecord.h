#pragma once
// One record of a thumbnail cache file: the 284-byte header stored in plain, and the
// scramble applied to its payload. The layout is fixed (little-endian):
//   0 name[260] NUL-terminated, rest zero | 260 reserved (0) | 264 last-write time
//   272 payload length | 276 height | 280 width
#include <cstddef>
#include <cstdint>
#include <string>

namespace kov {

constexpr size_t kThumbHeaderSize = 284;
constexpr size_t kThumbNameSize = 260;
constexpr size_t kThumbTimeOffset = 264;
constexpr size_t kThumbLengthOffset = 272;
constexpr size_t kThumbHeightOffset = 276;
constexpr size_t kThumbWidthOffset = 280;

struct ThumbHeader {
  std::string name;         // the image's file name, no folder part
  uint32_t reserved = 0;
  uint64_t lastWrite = 0;   // the cache's clock: 100 ns ticks since 1601-01-01 UTC
  uint32_t dataLength = 0;  // payload bytes that follow the header
  int32_t height = 0;       // natural size; 0 in a placeholder record
  int32_t width = 0;
};

// false when the name cannot be stored (empty, 260 bytes or more, or holding a NUL).
bool EncodeThumbHeader(const ThumbHeader& header, unsigned char out[kThumbHeaderSize]);
// Always succeeds: a name without NUL is taken as its 260 bytes, never read beyond.
ThumbHeader DecodeThumbHeader(const unsigned char in[kThumbHeaderSize]);

// XORs payload byte i with 0x6B and with key byte K[i] for i < 8, K[0] from then on,
// where K is the record's last-write time as it stands in the header. Its own inverse.
// firstIndex is the payload index of data[0] (for scrambling a part of a payload).
void ScramblePayload(uint64_t lastWrite, unsigned char* data, size_t size, size_t firstIndex = 0);
void ScramblePayload(uint64_t lastWrite, std::string* data);

// A POSIX time on the cache's clock (ThumbHeader::lastWrite); times before 1601 give 0.
uint64_t FileTimeFromUnix(int64_t seconds, long nanoseconds);
// A file's last-write time on the cache's clock (following symbolic links); false when
// it cannot be read.
bool GetFileLastWrite(const std::string& path, uint64_t* fileTime);

}  // namespace kov

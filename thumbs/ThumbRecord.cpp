#include "thumbs/ThumbRecord.h"

#include <sys/stat.h>

#include <cstring>

namespace kov {
namespace {

void PutU32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint32_t GetU32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600LL;

}  // namespace

bool EncodeThumbHeader(const ThumbHeader& header, unsigned char out[kThumbHeaderSize]) {
  if (header.name.empty() || header.name.size() >= kThumbNameSize) return false;
  if (header.name.find('\0') != std::string::npos) return false;
  std::memset(out, 0, kThumbHeaderSize);
  std::memcpy(out, header.name.data(), header.name.size());
  PutU32(out + kThumbNameSize, header.reserved);
  PutU32(out + kThumbTimeOffset, static_cast<uint32_t>(header.lastWrite));
  PutU32(out + kThumbTimeOffset + 4, static_cast<uint32_t>(header.lastWrite >> 32));
  PutU32(out + kThumbLengthOffset, header.dataLength);
  PutU32(out + kThumbHeightOffset, static_cast<uint32_t>(header.height));
  PutU32(out + kThumbWidthOffset, static_cast<uint32_t>(header.width));
  return true;
}

ThumbHeader DecodeThumbHeader(const unsigned char in[kThumbHeaderSize]) {
  ThumbHeader header;
  const void* nul = std::memchr(in, 0, kThumbNameSize);
  size_t nameLength = nul ? static_cast<const unsigned char*>(nul) - in : kThumbNameSize;
  header.name.assign(reinterpret_cast<const char*>(in), nameLength);
  header.reserved = GetU32(in + kThumbNameSize);
  header.lastWrite = uint64_t(GetU32(in + kThumbTimeOffset)) |
                     uint64_t(GetU32(in + kThumbTimeOffset + 4)) << 32;
  header.dataLength = GetU32(in + kThumbLengthOffset);
  header.height = static_cast<int32_t>(GetU32(in + kThumbHeightOffset));
  header.width = static_cast<int32_t>(GetU32(in + kThumbWidthOffset));
  return header;
}

void ScramblePayload(uint64_t lastWrite, unsigned char* data, size_t size, size_t firstIndex) {
  for (size_t i = 0; i < size; ++i) {
    size_t index = firstIndex + i;
    // The key does not cycle: from the ninth byte on, every byte uses key byte 0.
    unsigned keyByte = index < 8 ? (lastWrite >> (8 * index)) & 0xFF : lastWrite & 0xFF;
    data[i] ^= static_cast<unsigned char>(0x6B ^ keyByte);
  }
}

void ScramblePayload(uint64_t lastWrite, std::string* data) {
  ScramblePayload(lastWrite, reinterpret_cast<unsigned char*>(&(*data)[0]), data->size());
}

uint64_t FileTimeFromUnix(int64_t seconds, long nanoseconds) {
  if (seconds < -kUnixEpochInFileTimeSeconds) return 0;
  uint64_t since1601 = static_cast<uint64_t>(seconds + kUnixEpochInFileTimeSeconds);
  return since1601 * 10000000ULL + static_cast<uint64_t>(nanoseconds / 100);
}

bool GetFileLastWrite(const std::string& path, uint64_t* fileTime) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  *fileTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return true;
}

}  // namespace kov

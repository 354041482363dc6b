#pragma once
// Temporary folders and files for the cache tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace cachetest {

using kovtest::TempFolder;

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

inline bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

inline long long FileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

// Sets a file's modification time to seconds.nanoseconds since 1970.
inline void SetModified(const std::string& path, long long seconds, long nanoseconds = 0) {
  timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// A real GIF of size bytes as a thumbnail payload: a 120 x 90 screen with a 1 x 1
// image, whose two colours and comment bytes vary with seed. The smallest takes 38
// bytes (39 gives that too); below it, its first size bytes (the signature at least).
inline std::string FakeGif(int seed, size_t size = 40) {
  const size_t kFixed = 38;  // everything but the comment's data sub-blocks
  std::string comment;
  for (size_t left = size > kFixed ? size - kFixed : 0; left > 1;) {
    size_t block = std::min<size_t>(left - 1, 255);
    if (left - (block + 1) == 1) --block;  // a sub-block holds one byte at least
    comment.push_back(static_cast<char>(block));
    for (size_t i = 0; i < block; ++i) comment.push_back(static_cast<char>((seed * 31 + i * 7) & 0xFF));
    left -= block + 1;
  }
  std::string gif("GIF89a\x78\0\x5A\0\x80\0\0", 13);
  for (int i = 0; i < 6; ++i) gif.push_back(static_cast<char>((seed * 13 + i * 41) & 0xFF));
  gif += std::string("\x21\xFE", 2) + comment + std::string(1, '\0');
  gif += std::string("\x2C\0\0\0\0\1\0\1\0\0\x02\x02\x44\x01\0;", 16);
  if (gif.size() > size) gif.resize(std::max<size_t>(size, 6));
  return gif;
}

}  // namespace cachetest

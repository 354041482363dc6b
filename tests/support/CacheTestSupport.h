#pragma once
// Temporary folders and files for the cache tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A small GIF-looking payload; the bytes after the signature vary with seed.
inline std::string FakeGif(int seed, size_t size = 40) {
  std::string gif = "GIF87a";
  while (gif.size() < size) gif.push_back(static_cast<char>((seed * 31 + gif.size() * 7) & 0xFF));
  return gif;
}

}  // namespace cachetest

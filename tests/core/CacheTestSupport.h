#pragma once
// Temporary folders and files for the cache tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <glib.h>
#include <glib/gstdio.h>

namespace cachetest {

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/kovcacheXXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { RemoveTree(path_); }
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  static void RemoveTree(const std::string& path) {
    if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
      while (const char* name = g_dir_read_name(dir)) {
        std::string child = path + "/" + name;
        if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR) &&
            !g_file_test(child.c_str(), G_FILE_TEST_IS_SYMLINK))
          RemoveTree(child);
        else
          g_unlink(child.c_str());
      }
      g_dir_close(dir);
    }
    g_rmdir(path.c_str());
  }

 private:
  std::string path_;
};

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

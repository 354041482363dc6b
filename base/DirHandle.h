#pragma once
// An open directory listing that closes itself.
#include <dirent.h>

#include <memory>
#include <string>

namespace kov {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

inline DirHandle OpenDir(const std::string& path) { return DirHandle(opendir(path.c_str())); }

}  // namespace kov

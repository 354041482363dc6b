#pragma once
// A temporary folder for one test, removed with everything in it at the end.
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "base/PathRules.h"

namespace kovtest {

class TempFolder {
 public:
  TempFolder() {
    gchar* made = g_dir_make_tmp("kov-test-XXXXXX", nullptr);
    path_ = made ? made : "";
    g_free(made);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return kov::JoinPath(path_, relative); }

  // Makes relative's folders and writes text into it.
  std::string WriteFile(const std::string& relative, const std::string& text = "x") const {
    std::string file = *this / relative;
    MakeFolder(kov::DirName(relative));
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  std::string MakeFolder(const std::string& relative) const {
    std::string folder = *this / relative;
    g_mkdir_with_parents(folder.c_str(), 0755);
    return folder;
  }

 private:
  // Removes a tree without following symbolic links out of it.
  static void RemoveTree(const std::string& path) {
    struct stat info {};
    if (path.empty() || lstat(path.c_str(), &info) != 0) return;
    if (S_ISDIR(info.st_mode)) {
      if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
        while (const gchar* name = g_dir_read_name(dir)) RemoveTree(path + "/" + name);
        g_dir_close(dir);
      }
      rmdir(path.c_str());
    } else {
      unlink(path.c_str());
    }
  }
  std::string path_;
};

}  // namespace kovtest

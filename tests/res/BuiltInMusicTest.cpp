// The built-in music as a private file, and the replacement of its kovp URL.
#include <gtest/gtest.h>

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>

#include <string>

#include "res/BuiltInMusic.h"
#include "res/Resources.h"

using namespace kov;

namespace {

void RemoveTree(const std::string& path) {
  if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir)) {
      const std::string child = path + "/" + name;
      if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR) &&
          !g_file_test(child.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        RemoveTree(child);
      } else {
        g_unlink(child.c_str());
      }
    }
    g_dir_close(dir);
  }
  g_rmdir(path.c_str());
}

class TempFolder {
 public:
  TempFolder() {
    gchar* made = g_dir_make_tmp("kov-music-XXXXXX", nullptr);
    path_ = made ? made : "";
    g_free(made);
  }
  ~TempFolder() {
    if (!path_.empty()) RemoveTree(path_);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return "";
  std::string bytes(contents, length);
  g_free(contents);
  return bytes;
}

}  // namespace

TEST(BuiltInMusic, WritesTheResourceOnceToAPrivateFolder) {
  TempFolder temp;
  ASSERT_FALSE(temp.path().empty());
  std::string music;
  ASSERT_TRUE(LoadResourceBytes(BinId::kBackgroundMusic, &music));

  const std::string folder = temp.path() + "/run dir/kov";  // made on demand, with a space
  BuiltInMusicFile file;
  ASSERT_TRUE(WriteBuiltInMusic(folder, &file));
  EXPECT_EQ(file.path, folder + "/kov-music.mid");
  EXPECT_EQ(ReadFile(file.path), music);
  EXPECT_EQ(file.url, "file://" + temp.path() + "/run%20dir/kov/kov-music.mid");
  gchar* fromUri = g_filename_from_uri(file.url.c_str(), nullptr, nullptr);
  ASSERT_NE(fromUri, nullptr);
  EXPECT_EQ(std::string(fromUri), file.path);
  g_free(fromUri);
  struct stat info;
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A damaged file is replaced; an intact one is left alone.
  ASSERT_TRUE(g_file_set_contents(file.path.c_str(), "MThd", 4, nullptr));
  BuiltInMusicFile again;
  ASSERT_TRUE(WriteBuiltInMusic(folder, &again));
  EXPECT_EQ(ReadFile(file.path), music);
  struct stat before, after;
  ASSERT_EQ(stat(file.path.c_str(), &before), 0);
  ASSERT_TRUE(WriteBuiltInMusic(folder, &again));
  ASSERT_EQ(stat(file.path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);

  // A folder that is a file, a relative folder and no output all fail.
  const std::string blocker = temp.path() + "/plain-file";
  ASSERT_TRUE(g_file_set_contents(blocker.c_str(), "x", 1, nullptr));
  EXPECT_FALSE(WriteBuiltInMusic(blocker, &again));
  EXPECT_FALSE(WriteBuiltInMusic(blocker + "/sub", &again));
  EXPECT_FALSE(WriteBuiltInMusic("relative/kov", &again));
  EXPECT_FALSE(WriteBuiltInMusic("", &again));
  EXPECT_FALSE(WriteBuiltInMusic(folder, nullptr));
}

TEST(BuiltInMusic, ProcessFileLivesUnderTheRuntimeFolder) {
  TempFolder temp;
  ASSERT_FALSE(temp.path().empty());
  // GLib reads XDG_RUNTIME_DIR once, on first use; nothing else in the tests
  // asks for the runtime folder, so the file lands in the temporary folder.
  g_setenv("XDG_RUNTIME_DIR", temp.path().c_str(), TRUE);
  BuiltInMusicFile first, second;
  ASSERT_TRUE(GetBuiltInMusicFile(&first));
  ASSERT_TRUE(GetBuiltInMusicFile(&second));
  EXPECT_EQ(first.path, temp.path() + "/kov/kov-music.mid");
  EXPECT_EQ(first.path, second.path);
  EXPECT_EQ(first.url, second.url);
  EXPECT_TRUE(g_file_test(first.path.c_str(), G_FILE_TEST_IS_REGULAR));
}

TEST(BuiltInMusic, ReplacesEveryKovpMusicUrl) {
  const std::string fileUrl = "file:///run/user/1000/kov/kov-music.mid";
  EXPECT_EQ(ReplaceBuiltInMusicUrl("setSnd(\"kovp://bin/153.mid\");", fileUrl),
            "setSnd(\"" + fileUrl + "\");");
  EXPECT_EQ(ReplaceBuiltInMusicUrl("KOVP://BIN/153.MID|kovp://bin/153.mid", "u"), "u|u");
  EXPECT_EQ(ReplaceBuiltInMusicUrl("kovp://bin/153.mi", "u"), "kovp://bin/153.mi");
  EXPECT_EQ(ReplaceBuiltInMusicUrl("kovp://bin/152.gif", "u"), "kovp://bin/152.gif");
  EXPECT_EQ(ReplaceBuiltInMusicUrl("", "u"), "");
  const std::string withNul("a\0kovp://bin/153.mid", 20);
  EXPECT_EQ(ReplaceBuiltInMusicUrl(withNul, "u"), std::string("a\0u", 3));

  // In the information page the AUDIO element gets the file, the background stays.
  std::string page;
  ASSERT_TRUE(LoadResourceBytes(TemplateId::kBackgroundPage, &page));
  const std::string served = ReplaceBuiltInMusicUrl(page, fileUrl);
  EXPECT_NE(served.find("<AUDIO id=\"bgsd\" loop autoplay src=\"" + fileUrl + "\"></AUDIO>"),
            std::string::npos);
  EXPECT_EQ(served.find("153.mid"), std::string::npos);
  EXPECT_NE(served.find("kovp://bin/152.gif"), std::string::npos);
}

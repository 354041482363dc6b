#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/TempFolder.h"
#include "folders/Settings.h"

using namespace kov;

namespace {

// Every test gets its own config folder through $XDG_CONFIG_HOME.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    hadOld_ = old != nullptr;
    if (old) old_ = old;
    setenv("XDG_CONFIG_HOME", (config_ / "config").c_str(), 1);
  }
  void TearDown() override {
    if (hadOld_) setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
  }
  std::string FileText() const {
    std::ifstream in(SettingsFilePath());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
  }
  kovtest::TempFolder config_;
  std::string old_;
  bool hadOld_ = false;
};

}  // namespace

TEST_F(SettingsTest, AbsentUntilWrittenAndReadingCreatesNothing) {
  EXPECT_EQ(SettingsFilePath(), config_ / "config/NORVANE/KOV/settings.ini");
  std::string value = "untouched";
  for (const char* name : {kImageFolderSetting, kWebThumbImageFolderSetting, kCopyToSetting, kMoveToSetting,
                           kCaptionSetting, kMuteSetting})
    EXPECT_FALSE(GetSetting(name, &value)) << name;
  EXPECT_EQ(value, "untouched");
  EXPECT_FALSE(GetSwitchSetting(kMuteSetting));
  EXPECT_FALSE(Exists(config_ / "config"));

  ASSERT_TRUE(SetSetting(kCopyToSetting, "/home/u/Pictures/Kept"));
  ASSERT_TRUE(GetSetting(kCopyToSetting, &value));
  EXPECT_EQ(value, "/home/u/Pictures/Kept");
  EXPECT_FALSE(GetSetting(kMoveToSetting, &value));
  EXPECT_NE(FileText().find("[Settings]"), std::string::npos);
}

// Only "1" switches on, so a hand-edited or damaged value leaves the music playing
// and the caption hidden rather than guessing.
TEST_F(SettingsTest, SwitchesAreOnOnlyForOne) {
  ASSERT_TRUE(SetSwitchSetting(kMuteSetting, true));
  EXPECT_TRUE(GetSwitchSetting(kMuteSetting));
  EXPECT_FALSE(GetSwitchSetting(kCaptionSetting));
  ASSERT_TRUE(SetSwitchSetting(kMuteSetting, false));
  EXPECT_FALSE(GetSwitchSetting(kMuteSetting));
  for (const char* stored : {"", "yes", "true", "10", " 1"}) {
    ASSERT_TRUE(SetSetting(kCaptionSetting, stored));
    EXPECT_FALSE(GetSwitchSetting(kCaptionSetting)) << stored;
  }
}

TEST_F(SettingsTest, ValuesRoundTripExactly) {
  const std::string hostile[] = {
      "", " leading and trailing ", "/a\\b/c", "line\nbreak\rand\ttab", "[Settings]\nimgfolder=/evil",
      "/caf\xc3\xa9/\xff\xfe not utf-8", "#not a comment", "\\s\\n literally",
  };
  for (const std::string& path : hostile) {
    ASSERT_TRUE(SetSetting(kImageFolderSetting, path)) << path;
    std::string value;
    ASSERT_TRUE(GetSetting(kImageFolderSetting, &value)) << path;
    EXPECT_EQ(value, path);
  }
  ASSERT_TRUE(SetSetting(kImageFolderSetting, nullptr));  // null is stored as ""
  std::string value = "x";
  ASSERT_TRUE(GetSetting(kImageFolderSetting, &value));
  EXPECT_EQ(value, "");
}

TEST_F(SettingsTest, OtherValuesGroupsAndCommentsAreKept) {
  config_.WriteFile("config/NORVANE/KOV/settings.ini",
                    "# written by hand\n[Other]\nimgfolder=/not/this\n[Settings]\nmovetodir=/m\nfuture=1\n");
  ASSERT_TRUE(SetSetting(kImageFolderSetting, "/p"));
  std::string value;
  ASSERT_TRUE(GetSetting(kMoveToSetting, &value));
  EXPECT_EQ(value, "/m");
  ASSERT_TRUE(GetSetting("future", &value));
  EXPECT_EQ(value, "1");
  ASSERT_TRUE(GetSetting(kImageFolderSetting, &value));
  EXPECT_EQ(value, "/p");
  std::string text = FileText();
  EXPECT_NE(text.find("# written by hand"), std::string::npos);
  EXPECT_NE(text.find("imgfolder=/not/this"), std::string::npos);
}

TEST_F(SettingsTest, RefusesWhatWouldBreakTheFile) {
  std::string overlong(PATH_MAX, 'a');
  ASSERT_TRUE(SetSetting(kCopyToSetting, overlong));
  std::string value = "untouched";
  EXPECT_FALSE(GetSetting(kCopyToSetting, &value));  // too long to be a path
  EXPECT_EQ(value, "untouched");
  ASSERT_TRUE(SetSetting(kCopyToSetting, std::string(PATH_MAX - 1, 'a')));
  EXPECT_TRUE(GetSetting(kCopyToSetting, &value));

  EXPECT_FALSE(SetSetting("", "/x"));
  EXPECT_FALSE(SetSetting("bad=name", "/x"));
  EXPECT_FALSE(SetSetting("[group]", "/x"));
  EXPECT_FALSE(GetSetting("bad name", &value));
  EXPECT_FALSE(GetSetting(kCopyToSetting, nullptr));

  // A file that is not a key file is neither read nor overwritten.
  std::string broken = "this is [not a key file\n\x01\x02";
  config_.WriteFile("config/NORVANE/KOV/settings.ini", broken);
  EXPECT_FALSE(GetSetting(kCopyToSetting, &value));
  EXPECT_FALSE(SetSetting(kCopyToSetting, "/y"));
  EXPECT_EQ(FileText(), broken);
}

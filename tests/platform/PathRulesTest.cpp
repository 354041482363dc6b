#include <gtest/gtest.h>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "platform/MediaTypes.h"

using namespace kov;

TEST(PathRules, NormalizeCollapsesSeparatorsAndTrailingSlashes) {
  EXPECT_EQ(NormalizePath("/a//b/"), "/a/b");
  EXPECT_EQ(NormalizePath("//server//share"), "/server/share");
  EXPECT_EQ(NormalizePath("/"), "/");
  EXPECT_EQ(NormalizePath("///"), "/");
  EXPECT_EQ(NormalizePath(""), "");
  EXPECT_EQ(NormalizePath("a\\b//c"), "a\\b/c");  // a backslash is an ordinary byte
  EXPECT_EQ(JoinPath("/home/u/", "a b.jpg"), "/home/u/a b.jpg");
  EXPECT_EQ(JoinPath("", "x.jpg"), "/x.jpg");
  EXPECT_EQ(BaseName("/a/b.jpg"), "b.jpg");
  EXPECT_EQ(DirName("/a/b.jpg"), "/a");
  EXPECT_EQ(DirName("/b.jpg"), "/");
}

TEST(MediaTypes, FixedListAndGuessedTypes) {
  EXPECT_TRUE(IsImageFile("photo.JPG"));
  EXPECT_TRUE(IsImageFile("/x/photo.png"));
  EXPECT_TRUE(IsImageFile("photo.jpeg"));
  EXPECT_FALSE(IsImageFile("/my.pictures/readme"));
  EXPECT_FALSE(IsImageFile("noextension"));
  EXPECT_FALSE(IsImageFile(""));
  EXPECT_TRUE(IsAudioFile("song.mp3"));
  EXPECT_TRUE(IsAudioFile("tune.MID"));
  EXPECT_FALSE(IsAudioFile("photo.jpg"));
}

TEST(MediaTypes, ReservedNames) {
  EXPECT_EQ(GetSpecialFileKind("KOVBGIMG.JPG"), 1);
  EXPECT_EQ(GetSpecialFileKind("kovbgsnd.mid"), 2);
  EXPECT_EQ(GetSpecialFileKind("kovtn.gif"), 3);
  EXPECT_EQ(GetSpecialFileKind("kovtn007.gif"), 3);
  EXPECT_EQ(GetSpecialFileKind("kovtn7a.gif"), 0);
  EXPECT_EQ(GetSpecialFileKind("kovbgimg"), 0);
  EXPECT_EQ(GetSpecialFileKind("/x/kovtn3.htm"), 3);
  EXPECT_EQ(GetSpecialFileKind(""), 0);
}

TEST(TextEscape, HostileNames) {
  EXPECT_EQ(HtmlEscape("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d'");
  EXPECT_EQ(JsStringLiteral("it's \"x\"\\</script>\n"),
            "\"it's \\\"x\\\"\\\\\\x3c/script\\x3e\\x0a\"");
  EXPECT_EQ(PercentEncodePath("/home/u/a b#%.jpg"), "/home/u/a%20b%23%25.jpg");
  EXPECT_EQ(PercentDecode("a%20b%2"), "a b%2");
  EXPECT_EQ(PercentDecode(PercentEncodePath("/\xff\x01\"<&")), "/\xff\x01\"<&");
  EXPECT_EQ(DisplayName("ok\xff"), "ok\xEF\xBF\xBD");
}

// The kovp URL grammar on POSIX paths: canonicalisation and the split into command,
// folder part and name part.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "pages/PageUrl.h"

using namespace kov;

namespace {

PageUrlParts Parse(const std::string& url) {
  PageUrlParts parts;
  EXPECT_TRUE(ParsePageUrl(CanonicalizePageUrl(url), &parts)) << url;
  return parts;
}

void ExpectParts(const std::string& url, const std::string& command, const std::string& folder,
                 const std::string& name) {
  PageUrlParts parts = Parse(url);
  EXPECT_EQ(parts.command, command) << url;
  EXPECT_EQ(parts.folder, folder) << url;
  EXPECT_EQ(parts.name, name) << url;
}

}  // namespace

TEST(PageUrl, SplitsTheFormsTheProgramRequests) {
  ExpectParts("kovp://blank/", "blank", "", "");
  ExpectParts("kovp://blank2", "blank2", "", "");
  ExpectParts("kovp://bin/152.gif", "bin", "", "152.gif");
  ExpectParts("kovp://image//home/u/Trip/a%20b.jpg", "image", "home/u/Trip", "a b.jpg");
  ExpectParts("kovp://thumblst//media/cd/kovthumb.$$$", "thumblst", "media/cd", "kovthumb.$$$");
  ExpectParts("kovp://thumbvw//pics/kovthumb.$$$/a%20b.jpg.gif", "thumbvw", "pics/kovthumb.$$$",
              "a b.jpg.gif");
  ExpectParts("kovp:IMAGE/x.jpg", "IMAGE", "", "x.jpg");
  ExpectParts("kovp:blank", "blank", "", "");
  ExpectParts("kovp:///blank", "blank", "", "");
  ExpectParts("kovp://thumblst", "thumblst", "", "");
  ExpectParts("no colon at all", "", "", "");
  // '/' is the only separator: a backslash is an ordinary byte of a name or command.
  ExpectParts("kovp://image//home/u/a\\b.jpg", "image", "home/u", "a\\b.jpg");
  ExpectParts("kovp://\\blank", "\\blank", "", "");
  // Escaped '#', '%', '?' and space arrive as the characters they stand for.
  ExpectParts("kovp://image//p/a%23b%25c%3Fd.jpg", "image", "p", "a#b%c?d.jpg");

  EXPECT_EQ(PagePathOf(Parse("kovp://image//home//u///a.jpg")), "/home/u/a.jpg");
  EXPECT_EQ(PagePathOf(Parse("kovp://thumblst")), "/");
  EXPECT_EQ(PagePathOf(Parse("kovp://image//tmp/a%20b.jpg")), "/tmp/a b.jpg");
}

TEST(PageUrl, LongCommandsAndPathsNeverCutSilently) {
  std::string letters(100, 'q');
  PageUrlParts parts = Parse("kovp://" + letters + "/x.jpg");
  EXPECT_EQ(parts.command, std::string(78, 'q'));
  EXPECT_EQ(parts.folder, std::string(22, 'q'));
  EXPECT_EQ(parts.name, "x.jpg");

  // A path the file system could not hold takes the failure path: empty parts.
  std::string longPath = "kovp://image//" + std::string(PATH_MAX, 'd') + "/a.jpg";
  PageUrlParts refused;
  refused.command = "stale";
  EXPECT_FALSE(ParsePageUrl(longPath, &refused));
  EXPECT_EQ(refused.command, "");
  EXPECT_EQ(refused.folder, "");
  EXPECT_EQ(refused.name, "");
}

TEST(PageUrl, CanonicalisationDecodesResolvesAndRefuses) {
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/%41%2f%7e.jpg"), "kovp://image//a/A/~.jpg");
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/%zz%4"), "kovp://image//a/%zz%4");
  // A NUL anywhere after decoding gives the empty URL (the default page).
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/b%00.jpg"), "");
  // Overlong URLs are refused whole, not cut.
  std::string base = "kovp://image//";
  std::string atLimit = base + std::string(kMaxPageUrlLength - base.size(), 'n');
  EXPECT_EQ(CanonicalizePageUrl(atLimit), atLimit);
  EXPECT_EQ(CanonicalizePageUrl(atLimit + "n"), "");

  // Dot segments, plain or encoded, resolve within the path and never above its root,
  // and never consume the command.
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//home/u/../v/./a.jpg"), "kovp://image//home/v/a.jpg");
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//home/u/%2e%2e/%2E/a.jpg"), "kovp://image//home/a.jpg");
  EXPECT_EQ(PagePathOf(Parse("kovp://image/../../../etc/a.jpg")), "/etc/a.jpg");
  EXPECT_EQ(Parse("kovp:image/../x.jpg").command, "image");
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/.."), "kovp://image//");
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/b/."), "kovp://image//a/b/");
  // Only whole segments are dots.
  EXPECT_EQ(CanonicalizePageUrl("kovp://image//a/..b/c../.d"), "kovp://image//a/..b/c../.d");
}

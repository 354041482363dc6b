#include <gtest/gtest.h>

#include <climits>

#include "pages/ScriptBridge.h"

using namespace kov;

namespace {
std::vector<BridgeValue> One(const BridgeValue& value) { return {value}; }
}  // namespace

TEST(ScriptBridge, MethodNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(LookupBridgeMethod("ThumbImgClicked"), BridgeMethod::kThumbImgClicked);
  EXPECT_EQ(LookupBridgeMethod("thumbnaillistreport"), BridgeMethod::kThumbnailListReport);
  EXPECT_EQ(LookupBridgeMethod("QUITKOV"), BridgeMethod::kQuitKov);
  EXPECT_EQ(LookupBridgeMethod("quitKOVx"), BridgeMethod::kUnknown);
  EXPECT_EQ(LookupBridgeMethod("quitKO"), BridgeMethod::kUnknown);
  EXPECT_EQ(LookupBridgeMethod(""), BridgeMethod::kUnknown);
  EXPECT_EQ(DecideBridgeCall("constructor", {}, "/p").id, 0);
}

TEST(ScriptBridge, ThumbnailClickNamesThePictureInTheCurrentFolder) {
  auto click = [](const std::string& url, const std::string& folder) {
    return DecideBridgeCall("thumbimgclicked", One(BridgeValue::String(url)), folder);
  };
  Command d = click("kovp://thumbvw//pics/kovthumb.$$$/a.jpg.gif", "/pics");
  EXPECT_EQ(d.id, kCmdShowClickedImage);
  EXPECT_EQ(d.path, "/pics/a.jpg");
  // Only the last extension goes; the name is percent-decoded before the join.
  EXPECT_EQ(click("kovp://thumbvw//p/kovthumb.$$$/a.gif", "/pics").path, "/pics/a");
  EXPECT_EQ(click("kovp://x/a%20b%25.jpg.bmp", "/pics/").path, "/pics/a b%.jpg");
  EXPECT_EQ(click("kovp://x/caf%C3%A9.png.gif", "/p").path, "/p/caf\xC3\xA9.png");
  EXPECT_EQ(click("kovp://x/caf%E9.png.gif", "/p").path, "/p/caf\xE9.png");  // Latin-1 bytes kept
  // A backslash is an ordinary byte of a name.
  EXPECT_EQ(click("kovp://x/a\\b.jpg.gif", "/p").path, "/p/a\\b.jpg");
}

TEST(ScriptBridge, ThumbnailClickRefusesWhatNamesNoPictureOfTheFolder) {
  auto refused = [](const std::string& url, const std::string& folder) {
    Command d = DecideBridgeCall("ThumbImgClicked", One(BridgeValue::String(url)), folder);
    return d.id == 0 && d.path.empty();
  };
  EXPECT_TRUE(refused("/a.jpg.gif", "/p"));          // the only '/' is the first byte
  EXPECT_TRUE(refused("a.jpg.gif", "/p"));           // no separator at all
  EXPECT_TRUE(refused("kovp://x/a.jpg.gif", ""));    // no current folder
  EXPECT_TRUE(refused("kovp://x/", "/p"));           // empty name
  EXPECT_TRUE(refused("kovp://x/.gif", "/p"));       // empty once the extension goes
  EXPECT_TRUE(refused("kovp://x/..%2Fetc%2Fpasswd.gif", "/p"));
  EXPECT_TRUE(refused("kovp://x/%2E%2E.gif", "/p"));
  EXPECT_TRUE(refused("kovp://x/...gif", "/p"));     // ".." after the extension goes
  EXPECT_TRUE(refused("kovp://x/..", "/p"));         // "." after the extension goes
  EXPECT_TRUE(refused("kovp://x/a%00b.gif", "/p"));  // NUL would cut the path short
  EXPECT_TRUE(refused("kovp://x/" + std::string(PATH_MAX, 'a') + ".gif", "/p"));
  // Wrong argument number or type.
  EXPECT_EQ(DecideBridgeCall("ThumbImgClicked", {}, "/p").id, 0);
  EXPECT_EQ(DecideBridgeCall("ThumbImgClicked", One(BridgeValue::Integer(3)), "/p").id, 0);
  EXPECT_EQ(DecideBridgeCall("ThumbImgClicked",
                             {BridgeValue::String("kovp://x/a.gif"), BridgeValue::String("b")},
                             "/p").id, 0);
}

TEST(ScriptBridge, ListReportCarriesIntegersOnlyAndAlwaysPosts) {
  Command d = DecideBridgeCall("thumbnaillistreport", One(BridgeValue::Integer(12)), "");
  EXPECT_EQ(d.id, kCmdThumbnailCount);
  EXPECT_EQ(d.count, 12);
  for (const auto& args : std::vector<std::vector<BridgeValue>>{
           One(BridgeValue::String("12")), One(BridgeValue::Other()), {},
           {BridgeValue::Integer(1), BridgeValue::Integer(2)},
           One(BridgeValue::Integer(1LL << 40))}) {
    d = DecideBridgeCall("ThumbnailListReport", args, "");
    EXPECT_EQ(d.id, kCmdThumbnailCount);
    EXPECT_EQ(d.count, 0);
  }
  EXPECT_EQ(DecideBridgeCall("ThumbnailListReport", One(BridgeValue::Integer(-5)), "").count, -5);
}

TEST(ScriptBridge, QuitPostsWhateverTheArgumentsAndCarriesNoData) {
  for (const auto& args : std::vector<std::vector<BridgeValue>>{
           {}, One(BridgeValue::Other()), One(BridgeValue::String("/q/b.png"))}) {
    Command quit = DecideBridgeCall("quitKOV", args, "/q");
    EXPECT_EQ(quit.id, kCmdQuitNow);
    EXPECT_EQ(quit.path, "");
    EXPECT_EQ(quit.count, 0);
  }
}

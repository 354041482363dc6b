#pragma once
// What page script may ask of the program through window.external, decided without
// any browser: which method a name means, what it stores and which command it posts.
// The window side converts the script's arguments to BridgeValue, calls
// DecideBridgeCall and ApplyBridgeDecision, and posts the command to the toolbar.
#include <string>
#include <vector>

#include "res/CommandIds.h"  // the ids the bridge posts to the toolbar

namespace kov {

enum class BridgeMethod { kUnknown, kThumbImgClicked, kThumbnailListReport, kQuitKov };

// One script argument as it arrived: only strings and integral numbers carry a value.
struct BridgeValue {
  enum Kind { kString, kInteger, kOther } kind = kOther;
  std::string text;
  long long number = 0;

  static BridgeValue String(const std::string& s) { return {kString, s, 0}; }
  static BridgeValue Integer(long long n) { return {kInteger, "", n}; }
  static BridgeValue Other() { return {}; }
};

struct BridgeDecision {
  int commandId = 0;              // 0: post nothing
  bool setsClickedPath = false;
  std::string clickedPath;        // the picture to show when setsClickedPath
  bool setsThumbnailCount = false;
  int thumbnailCount = 0;
};

// Method names compare without regard to letter case.
BridgeMethod LookupBridgeMethod(const std::string& name);
// The method names as the pages write them, for the script side's proxy.
std::vector<std::string> BridgeMethodNames();

// currentFolder: the folder the thumbnail list shows ("" when none).
BridgeDecision DecideBridgeCall(const std::string& method, const std::vector<BridgeValue>& args,
                                const std::string& currentFolder);

// The picture a ThumbImgClicked URL names inside folder: the URL's last '/' segment,
// percent-decoded, without its last extension. false (nothing to show) when the folder
// is empty, the URL has no '/' after its first byte, or the name is empty, ".", "..",
// holds '/' or NUL, or the joined path would not fit PATH_MAX.
bool ClickedPicturePath(const std::string& url, const std::string& folder, std::string* path);

// Stores what the decision sets in the process-wide bridge state; returns the command
// to post (0 for none).
int ApplyBridgeDecision(const BridgeDecision& decision);

// The user script that makes window.external a proxy whose known (case-insensitive)
// names post {method, args} to the script message handler handlerName; unknown names
// read as undefined.
std::string ExternalBridgeScript(const std::string& handlerName);

}  // namespace kov

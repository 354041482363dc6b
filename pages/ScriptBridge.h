#pragma once
// What page script may ask of the program through window.external, decided without
// any browser: which method a name means, what it stores and which command it posts.
// The window side converts the script's arguments to BridgeValue, calls
// DecideBridgeCall and posts the command, with the data it carries, to the viewer.
#include <string>
#include <vector>

#include "platform/CommandQueue.h"
#include "res/CommandIds.h"  // the ids the bridge posts to the viewer

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

// Method names compare without regard to letter case.
BridgeMethod LookupBridgeMethod(const std::string& name);
// The method names as the pages write them, for the script side's proxy.
std::vector<std::string> BridgeMethodNames();

// The command a call posts (id 0: nothing): a click carries the picture's path, a list
// report the thumbnail count. currentFolder: the folder the thumbnail list shows ("" when
// none).
Command DecideBridgeCall(const std::string& method, const std::vector<BridgeValue>& args,
                                const std::string& currentFolder);

// The picture a ThumbImgClicked URL names inside folder: the URL's last '/' segment,
// percent-decoded, without its last extension. false (nothing to show) when the folder
// is empty, the URL has no '/' after its first byte, or the name is empty, ".", "..",
// holds '/' or NUL, or the joined path would not fit PATH_MAX.
bool ClickedPicturePath(const std::string& url, const std::string& folder, std::string* path);

// The user script that makes window.external a proxy whose known (case-insensitive)
// names post {method, args} to the script message handler handlerName; unknown names
// read as undefined.
std::string ExternalBridgeScript(const std::string& handlerName);

}  // namespace kov

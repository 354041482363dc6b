#include "pages/ScriptBridge.h"

#include <climits>
#include <cstdint>

#include "base/PathRules.h"
#include "base/TextEscape.h"

namespace kov {

namespace {

struct MethodEntry {
  const char* name;
  BridgeMethod method;
};

const MethodEntry kMethods[] = {
    {"ThumbImgClicked", BridgeMethod::kThumbImgClicked},
    {"ThumbnailListReport", BridgeMethod::kThumbnailListReport},
    {"quitKOV", BridgeMethod::kQuitKov},
};

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
    if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

// The name without its last extension; a leading '.' counts as one, so ".gif" is "".
std::string WithoutLastExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool IsAcceptableName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

Command DecideThumbClicked(const std::vector<BridgeValue>& args, const std::string& folder) {
  Command command;
  if (args.size() != 1 || args[0].kind != BridgeValue::kString) return command;
  if (!ClickedPicturePath(args[0].text, folder, &command.path)) return command;
  command.id = kCmdShowClickedImage;
  return command;
}

// A report that is not one integer counts no thumbnails.
Command DecideListReport(const std::vector<BridgeValue>& args) {
  Command command;
  command.id = kCmdThumbnailCount;
  if (args.size() == 1 && args[0].kind == BridgeValue::kInteger &&
      args[0].number >= INT32_MIN && args[0].number <= INT32_MAX) {
    command.count = static_cast<int>(args[0].number);
  }
  return command;
}

}  // namespace

BridgeMethod LookupBridgeMethod(const std::string& name) {
  for (const MethodEntry& entry : kMethods) {
    if (EqualsIgnoringCase(name, entry.name)) return entry.method;
  }
  return BridgeMethod::kUnknown;
}

std::vector<std::string> BridgeMethodNames() {
  std::vector<std::string> names;
  for (const MethodEntry& entry : kMethods) names.push_back(entry.name);
  return names;
}

bool ClickedPicturePath(const std::string& url, const std::string& folder, std::string* path) {
  if (folder.empty()) return false;
  size_t slash = url.rfind('/');
  if (slash == std::string::npos || slash == 0) return false;
  std::string name = WithoutLastExtension(PercentDecode(url.substr(slash + 1)));
  if (!IsAcceptableName(name)) return false;
  std::string joined = JoinPath(folder, name);
  if (joined.size() >= PATH_MAX) return false;
  *path = joined;
  return true;
}

Command DecideBridgeCall(const std::string& method, const std::vector<BridgeValue>& args,
                         const std::string& currentFolder) {
  switch (LookupBridgeMethod(method)) {
    case BridgeMethod::kThumbImgClicked:
      return DecideThumbClicked(args, currentFolder);
    case BridgeMethod::kThumbnailListReport:
      return DecideListReport(args);
    case BridgeMethod::kQuitKov: {
      Command command;
      command.id = kCmdQuitNow;
      return command;
    }
    case BridgeMethod::kUnknown:
      break;
  }
  return {};
}

std::string ExternalBridgeScript(const std::string& handlerName) {
  std::string known;
  for (const MethodEntry& entry : kMethods) {
    std::string lower = entry.name;
    for (char& c : lower) {
      if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    }
    known += JsStringLiteral(lower) + ":" + JsStringLiteral(entry.name) + ",";
  }
  // The handler is captured now, so a page that later replaces window.webkit cannot
  // redirect the calls; a Proxy answers every name, the get trap decides which exist.
  return "(function(){\n"
         "var handlers = window.webkit && window.webkit.messageHandlers;\n"
         "var port = handlers && handlers[" + JsStringLiteral(handlerName) + "];\n"
         "if (!port) return;\n"
         "var known = Object.freeze({" + known + "});\n"
         "var bridge = new Proxy({}, {get: function(target, name) {\n"
         "  if (typeof name !== 'string') return undefined;\n"
         "  var key = name.toLowerCase();\n"
         "  if (!Object.prototype.hasOwnProperty.call(known, key)) return undefined;\n"
         "  var method = known[key];\n"
         "  return function() {\n"
         "    port.postMessage({method: method, args: Array.prototype.slice.call(arguments)});\n"
         "  };\n"
         "}});\n"
         "Object.defineProperty(window, 'external', {value: bridge, configurable: false,"
         " writable: false});\n"
         "})();\n";
}

}  // namespace kov

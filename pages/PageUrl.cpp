#include "pages/PageUrl.h"

#include <climits>

#include "base/PathRules.h"
#include "base/TextEscape.h"

namespace kov {

namespace {

void RemoveLastSegment(std::string* out) {
  size_t slash = out->rfind('/');
  out->erase(slash == std::string::npos ? 0 : slash);
}

bool StartsWithAt(const std::string& s, size_t i, const char* prefix) {
  return s.compare(i, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Resolves "." and ".." segments of a path that begins with '/'; ".." never climbs
// above the root. Segments are whole: "..a" or "a.." are ordinary names.
std::string RemoveDotSegments(const std::string& in) {
  std::string out;
  size_t i = 0;
  while (i < in.size()) {
    if (StartsWithAt(in, i, "/./")) {
      i += 2;
    } else if (in.compare(i, std::string::npos, "/.") == 0) {
      out += '/';
      break;
    } else if (StartsWithAt(in, i, "/../")) {
      i += 3;
      RemoveLastSegment(&out);
    } else if (in.compare(i, std::string::npos, "/..") == 0) {
      RemoveLastSegment(&out);
      out += '/';
      break;
    } else {
      size_t next = in.find('/', i + 1);
      if (next == std::string::npos) next = in.size();
      out.append(in, i, next - i);
      i = next;
    }
  }
  return out;
}

// Where the command starts: past the first ':' and every ':' and '/' after it.
size_t CommandStart(const std::string& url) {
  size_t colon = url.find(':');
  if (colon == std::string::npos) return std::string::npos;
  size_t i = colon + 1;
  while (i < url.size() && (url[i] == ':' || url[i] == '/')) ++i;
  return i;
}

}  // namespace

std::string CanonicalizePageUrl(const std::string& url) {
  if (url.size() > kMaxPageUrlLength) return "";
  std::string decoded = PercentDecode(url);
  if (decoded.find('\0') != std::string::npos) return "";
  size_t start = CommandStart(decoded);
  if (start == std::string::npos) return decoded;
  size_t pathStart = decoded.find('/', start);
  if (pathStart == std::string::npos) return decoded;
  return decoded.substr(0, pathStart) + RemoveDotSegments(decoded.substr(pathStart));
}

bool ParsePageUrl(const std::string& canonicalUrl, PageUrlParts* parts) {
  *parts = PageUrlParts();
  size_t i = CommandStart(canonicalUrl);
  if (i == std::string::npos) return true;
  const std::string& url = canonicalUrl;
  size_t commandEnd = i;
  while (commandEnd < url.size() && url[commandEnd] != '/' &&
         commandEnd - i < kMaxPageCommandLength)
    ++commandEnd;
  std::string command = url.substr(i, commandEnd - i);
  i = commandEnd;
  while (i < url.size() && url[i] == '/') ++i;
  std::string path = url.substr(i);
  // The handlers work on "/" + path; refuse what could not be a path rather than cut it.
  if (path.size() + 1 >= PATH_MAX) return false;
  parts->command = command;
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    parts->name = path;
  } else {
    parts->folder = path.substr(0, slash);
    parts->name = path.substr(slash + 1);
  }
  return true;
}

std::string PagePathOf(const PageUrlParts& parts) {
  return NormalizePath("/" + parts.folder + "/" + parts.name);
}

}  // namespace kov

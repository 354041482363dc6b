#pragma once
// The kovp URL grammar: canonicalisation (percent escapes decoded, dot segments
// resolved) and the split into command, folder part and name part.
#include <cstddef>
#include <climits>
#include <string>

namespace kov {

// Longest URL accepted: room for any path the system takes (PATH_MAX) with every byte
// percent-encoded, as a name in Cyrillic or CJK letters is, plus the scheme and
// command. Longer ones canonicalise to the empty URL, which serves the default page.
constexpr size_t kMaxPageUrlLength = 3 * PATH_MAX + 100;
// Longest command kept; a longer one is cut there and the rest begins the path.
constexpr size_t kMaxPageCommandLength = 78;

// Decodes every %XX escape, resolves "." and ".." path segments after the command, and
// leaves every other byte as it is. The empty string for a URL longer than
// kMaxPageUrlLength or one that holds a NUL after decoding (an encoded %00).
std::string CanonicalizePageUrl(const std::string& url);

struct PageUrlParts {
  std::string command;
  std::string folder;  // path before the last '/', without leading '/'
  std::string name;    // path after the last '/'
};

// Splits a canonical URL: past the first ':' and every following ':' and '/', the
// command runs to the next '/' (at most 78 bytes); after a run of '/', the path splits
// at its last '/'. '/' is the only separator. A URL without ':' gives empty parts; a
// path whose joined form would exceed PATH_MAX gives false and empty parts, so it takes
// the failure path instead of being cut.
bool ParsePageUrl(const std::string& canonicalUrl, PageUrlParts* parts);

// The full path a handler works on: NormalizePath("/" + folder + "/" + name).
std::string PagePathOf(const PageUrlParts& parts);

}  // namespace kov

#include "pages/ThumbnailSelection.h"

#include <glib.h>

#include <sys/stat.h>

#include <climits>
#include <set>

#include "base/DirHandle.h"
#include "base/NameOrder.h"
#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "pages/ScriptBridge.h"

namespace kov {

const char kThumbnailCellsScript[] =
    "(function(){"
    "var r=[],e=encodeURIComponent,c=document.getElementsByTagName('td');"
    "for(var i=0;i<c.length;i++){"
    "var t=c[i],s='',k=t.children;"
    "for(var j=0;j<k.length;j++){"
    "if(k[j].tagName.toLowerCase()=='img'&&k[j].src){s=k[j].src;break;}}"
    "r.push(e(t.className||''),e(t.style.borderLeftColor||''),e(s));}"
    "return r;})()";

namespace {

bool EqualsWordIgnoringCase(const std::string& text, const char* word) {
  return g_ascii_strcasecmp(text.c_str(), word) == 0 && text.find('\0') == std::string::npos;
}

// The characters encodeURIComponent leaves or writes; anything else is not ours.
bool IsEncodedByte(char c) {
  return g_ascii_isalnum(c) || std::string("-_.!~*'()%").find(c) != std::string::npos;
}

// Reads one "..." string at *at; false when it is not one.
bool ReadEncodedString(const std::string& json, size_t* at, std::string* out) {
  if (*at >= json.size() || json[*at] != '"') return false;
  size_t end = *at + 1;
  while (end < json.size() && IsEncodedByte(json[end])) ++end;
  if (end >= json.size() || json[end] != '"') return false;
  *out = PercentDecode(json.substr(*at + 1, end - *at - 1));
  *at = end + 1;
  return true;
}

bool ParseEncodedStrings(const std::string& json, std::vector<std::string>* strings) {
  if (json.size() < 2 || json.front() != '[' || json.back() != ']') return false;
  size_t at = 1;
  const size_t last = json.size() - 1;
  while (at < last) {
    std::string text;
    if (!ReadEncodedString(json, &at, &text)) return false;
    strings->push_back(std::move(text));
    if (at == last) break;
    if (json[at] != ',' || at + 1 == last) return false;
    ++at;
  }
  return true;
}

// Finds the files that names taken from a cache stand for in one folder. A cache made
// where file names ignore case, or on a disc mounted with its names in another letter
// case, may spell a name otherwise than the folder does; the folder is listed once,
// at the first such name.
class FolderNameResolver {
 public:
  explicit FolderNameResolver(std::string folder) : folder_(std::move(folder)) {}

  // path (a name joined to the folder) when it exists; else the one entry of the
  // folder that differs from its name only in letter case; else path itself, so the
  // operation on it reports the missing file.
  std::string Resolve(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) return path;
    if (!listed_) {
      names_ = ListEntryNames(folder_);
      listed_ = true;
    }
    const std::string name = BaseName(path);
    const std::string* match = nullptr;
    for (const std::string& entry : names_) {
      if (!EqualsIgnoringCase(entry, name)) continue;
      if (match != nullptr) return path;  // two candidates: neither is taken
      match = &entry;
    }
    return match != nullptr ? JoinPath(folder_, *match) : path;
  }

 private:
  std::string folder_;
  bool listed_ = false;
  std::vector<std::string> names_;
};

}  // namespace

bool ParseThumbnailCells(const std::string& json, std::vector<ThumbnailCell>* cells) {
  std::vector<std::string> strings;
  cells->clear();
  if (!ParseEncodedStrings(json, &strings) || strings.size() % 3 != 0) return false;
  for (size_t i = 0; i < strings.size(); i += 3)
    cells->push_back(ThumbnailCell{strings[i], strings[i + 1], strings[i + 2]});
  return true;
}

bool IsSelectedCell(const ThumbnailCell& cell) {
  return EqualsWordIgnoringCase(cell.className, "pic") &&
         (EqualsWordIgnoringCase(cell.leftBorderColour, "#ff0000") ||
          EqualsWordIgnoringCase(cell.leftBorderColour, "rgb(255, 0, 0)"));
}

ThumbnailSelection SelectedPictures(const std::vector<ThumbnailCell>& cells,
                                    const std::string& folder) {
  ThumbnailSelection selection;
  std::set<std::string> seen;
  FolderNameResolver resolver(folder);
  for (const ThumbnailCell& cell : cells) {
    if (!IsSelectedCell(cell)) continue;
    ++selection.cellCount;
    std::string path;
    if (!ClickedPicturePath(cell.pictureUrl, folder, &path)) continue;
    path = resolver.Resolve(path);
    if (seen.insert(path).second) selection.files.push_back(path);
  }
  return selection;
}

namespace {

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  return g_ascii_strncasecmp(text.c_str(), prefix, std::char_traits<char>::length(prefix)) == 0;
}

// An absolute path without "." or ".." segments; "" otherwise.
std::string PlainAbsolutePath(const std::string& path) {
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return "";
  std::string normal = NormalizePath(path);
  if (normal.size() >= PATH_MAX) return "";
  for (size_t start = 1; start <= normal.size();) {
    size_t end = normal.find('/', start);
    if (end == std::string::npos) end = normal.size();
    std::string segment = normal.substr(start, end - start);
    if (segment == "." || segment == "..") return "";
    start = end + 1;
  }
  return normal;
}

}  // namespace

std::string PictureFileOfImageUrl(const std::string& url, const std::string& folder) {
  if (StartsWithIgnoringCase(url, "file:")) {
    gchar* host = nullptr;
    gchar* path = g_filename_from_uri(url.c_str(), &host, nullptr);
    // Another machine's file is not ours to save.
    bool local = host == nullptr || g_ascii_strcasecmp(host, "localhost") == 0;
    std::string out = path && local ? PlainAbsolutePath(path) : "";
    g_free(path);
    g_free(host);
    return out;
  }
  // The commands that serve a picture file named by the rest of the address: as it
  // is, or decoded by the page server for formats the engine does not read.
  for (const char* command : {"kovp://picture/", "kovp://decoded/", "kovp://reduced/"}) {
    if (StartsWithIgnoringCase(url, command))
      return PlainAbsolutePath(PercentDecode(url.substr(std::char_traits<char>::length(command))));
  }
  std::string path;
  if (StartsWithIgnoringCase(url, "kovp://thumbvw/") && ClickedPicturePath(url, folder, &path))
    return FolderNameResolver(folder).Resolve(path);
  return "";
}

}  // namespace kov

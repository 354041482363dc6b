// Old-thumbnail removal, the picture list and the tnlist.htm writer.
#include "tools/WebThumbPage.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "base/DirHandle.h"
#include "base/FileBytes.h"
#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "res/Resources.h"

namespace kov {
namespace {

constexpr char kPrefix[] = "kovtn";
constexpr size_t kPrefixLength = 5;
constexpr size_t kColumns = 6;
constexpr char kEmptyCell[] = "<td width=\"120\">&nbsp;</td>\r\n";
constexpr char kSpacerCell[] = "<td width=\"6\">&nbsp;</td>\r\n";
constexpr char kClosing[] = "</table>\r\n</body>\r\n</html>";

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A file nobody may write is kept, as a read-only file is on other systems; the
// running user may be allowed to delete it anyway.
bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

std::string PictureCell(const WebThumbEntry& entry) {
  return "<td width=\"120\" class=\"pic\"><a href=\"" + PercentEncodePath(entry.name) +
         "\" target=\"_blank\"><img src=\"" + PercentEncodePath(entry.gifName) + "\"></a></td>\r\n";
}

std::string CaptionCell(const WebThumbEntry& entry) {
  return "<td width=\"120\" class=\"inf\"><div>" + HtmlEscape(DisplayName(entry.name)) + "<br>" +
         HtmlEscape(entry.sizeText) + "<br>&nbsp;</div></td>\r\n";
}

// The two rows (pictures, captions) of the entries from first on, at most six.
std::string RowPair(const std::vector<WebThumbEntry>& entries, size_t first) {
  std::string pictures = "<tr>\r\n";
  std::string captions = "<tr>\r\n";
  for (size_t column = 0; column < kColumns; ++column) {
    size_t k = first + column;
    pictures += k < entries.size() ? PictureCell(entries[k]) : kEmptyCell;
    captions += k < entries.size() ? CaptionCell(entries[k]) : kEmptyCell;
    if (column + 1 < kColumns) {
      pictures += kSpacerCell;
      captions += kSpacerCell;
    }
  }
  return pictures + "</tr>\r\n" + captions + "</tr>\r\n";
}

}  // namespace

bool IsOldWebThumbName(const std::string& name) {
  if (name.size() < kPrefixLength || strncasecmp(name.c_str(), kPrefix, kPrefixLength) != 0) return false;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || strcasecmp(name.c_str() + dot, ".gif") != 0) return false;
  size_t firstDot = name.find('.', kPrefixLength);
  return std::all_of(name.begin() + kPrefixLength, name.begin() + firstDot,
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::vector<std::string> OldWebThumbNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& name : ListEntryNames(folder)) {
    if (IsOldWebThumbName(name) && !IsFolder(JoinPath(folder, name))) names.push_back(name);
  }
  return names;
}

void RemoveWebThumbs(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    std::string path = JoinPath(folder, name);
    if (IsOldWebThumbName(name) && !IsFolder(path) && !IsReadOnlyFile(path)) unlink(path.c_str());
  }
}

void RemoveOldWebThumbs(const std::string& folder) { RemoveWebThumbs(folder, OldWebThumbNames(folder)); }

std::string NextWebThumbName(const std::string& folder) {
  for (unsigned n = 1;; ++n) {
    std::string name = std::string(kPrefix) + std::to_string(n) + ".gif";
    if (!Exists(JoinPath(folder, name))) return name;
  }
}

std::string ThumbListPage(const std::string& head, const std::vector<WebThumbEntry>& entries) {
  std::string page = head;
  for (size_t first = 0; first < entries.size(); first += kColumns) page += RowPair(entries, first);
  return page + kClosing;
}

bool WriteThumbListPage(const std::string& folder, const std::vector<WebThumbEntry>& entries,
                        std::string* error) {
  std::string head;
  if (!LoadResourceBytes(TemplateId::kWebThumbnailListHead, &head)) {
    if (error) *error = "the page template is missing";
    return false;
  }
  const std::string path = JoinPath(folder, "tnlist.htm");
  if (IsReadOnlyFile(path)) {
    if (error) *error = path + " is read-only";
    return false;
  }
  std::string page = ThumbListPage(head, entries);
  return WriteFileAtomically(path, std::vector<uint8_t>(page.begin(), page.end()), error);
}

CWebThumbRun::CWebThumbRun(std::string folder)
    : folder_(std::move(folder)), earlier_(OldWebThumbNames(folder_)) {}

void CWebThumbRun::Abandon() {
  std::vector<std::string> made;
  for (const WebThumbEntry& entry : entries_) made.push_back(entry.gifName);
  RemoveWebThumbs(folder_, made);
  entries_.clear();
}

bool CWebThumbRun::Finish(std::string* error) {
  if (!WriteThumbListPage(folder_, entries_, error)) {
    Abandon();
    return false;
  }
  RemoveWebThumbs(folder_, earlier_);
  return true;
}

}  // namespace kov

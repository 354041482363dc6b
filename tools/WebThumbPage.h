#pragma once
// The files of the web-page tool in an images folder: the thumbnails kovtnN.gif and
// the page tnlist.htm that lists them six to a row, each linked to its picture. The
// page needs nothing of this program and links relatively, so the folder can be
// moved or uploaded as it is.
#include <string>
#include <vector>

namespace kov {

// One thumbnail of the page: the picture's bare file name, its thumbnail's bare
// file name and the picture's size text ("1600 x 1200").
struct WebThumbEntry {
  std::string name;
  std::string gifName;
  std::string sizeText;
};

// true for a thumbnail name of an earlier run: "kovtn" and ".gif" in any letter
// case with only digits, or nothing, between "kovtn" and the first '.'
// (kovtn.gif, kovtn12.gif; not kovtnA.gif).
bool IsOldWebThumbName(const std::string& name);
// Deletes the folder's old thumbnails (entries that are not folders); a read-only
// file (no write permission for anyone) is kept, and failures are left alone.
void RemoveOldWebThumbs(const std::string& folder);
// The first "kovtnN.gif" (N = 1, 2, ...) that does not exist in folder.
std::string NextWebThumbName(const std::string& folder);

// The page's bytes: head (template 180), then for every six entries a row of linked
// pictures and a row of captions, eleven cells each (six of 120 pixels, five 6-pixel
// spacers), then the closing lines. Names go into text HTML-escaped and into links
// percent-encoded.
std::string ThumbListPage(const std::string& head, const std::vector<WebThumbEntry>& entries);
// Writes folder/tnlist.htm from template 180 atomically: a failed write leaves an
// older page as it was. false with a reason in *error.
bool WriteThumbListPage(const std::string& folder, const std::vector<WebThumbEntry>& entries,
                        std::string* error);

}  // namespace kov

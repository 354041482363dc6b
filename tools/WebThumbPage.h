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
// The names of the folder's thumbnails of earlier runs (entries that are not folders).
std::vector<std::string> OldWebThumbNames(const std::string& folder);
// Deletes those of names that are still thumbnails; a read-only file (no write
// permission for anyone) is kept, and failures are left alone.
void RemoveWebThumbs(const std::string& folder, const std::vector<std::string>& names);
// RemoveWebThumbs of all OldWebThumbNames.
void RemoveOldWebThumbs(const std::string& folder);
// The first "kovtnN.gif" (N = 1, 2, ...) that does not exist in folder.
std::string NextWebThumbName(const std::string& folder);

// The page's bytes: head (TemplateId::kWebThumbnailListHead), then for every six entries a row of linked
// pictures and a row of captions, eleven cells each (six of 120 pixels, five 6-pixel
// spacers), then the closing lines. Names go into text HTML-escaped and into links
// percent-encoded.
std::string ThumbListPage(const std::string& head, const std::vector<WebThumbEntry>& entries);
// Writes folder/tnlist.htm from that template atomically: a failed write leaves an
// older page as it was, and a read-only one is not replaced. false with a reason in
// *error.
bool WriteThumbListPage(const std::string& folder, const std::vector<WebThumbEntry>& entries,
                        std::string* error);

// One run of the tool over a folder, kept so that the folder's page always links
// thumbnails of its own pictures: the new thumbnails take names the earlier ones do
// not hold (NextWebThumbName), and the earlier ones go only once the new page is
// written. A run that is cancelled or cannot write its page takes its own
// thumbnails away again, and the older page stays with the thumbnails it links.
class CWebThumbRun {
 public:
  explicit CWebThumbRun(std::string folder);

  // Where the builder's store puts each thumbnail written.
  std::vector<WebThumbEntry>* entries() { return &entries_; }
  // The run was cancelled.
  void Abandon();
  // Writes the page, then removes the earlier thumbnails; false with the reason in
  // *error when the page could not be written.
  bool Finish(std::string* error);

 private:
  std::string folder_;
  std::vector<std::string> earlier_;
  std::vector<WebThumbEntry> entries_;
};

}  // namespace kov

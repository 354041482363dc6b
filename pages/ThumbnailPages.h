#pragma once
// The thumbnail list page and the cached thumbnails it shows (commands "thumblst" and
// "thumbvw"), and the two helpers they share.
#include <string>

namespace kov {

// Thumbnail columns of the list page: (screen width - 6) / 126, at least 1. It follows
// the screen, not the window: each column is a 120-pixel cell and a 6-pixel spacer.
int ScreenColumns();

// A path made safe for an HTML attribute and a kovp URL: every byte outside
// A-Z a-z 0-9 - . _ ~ / $ percent-encoded, so the text is ASCII and holds no quote.
class CUrlText {
 public:
  CUrlText() = default;
  explicit CUrlText(const std::string& text) { Assign(text); }
  void Assign(const std::string& text);
  const std::string& GetText() const { return text_; }

 private:
  std::string text_;
};

// The address of one cached thumbnail: kovp://thumbvw/ + the cache file's path + "/" +
// the image's name + "." + extension ("gif" or "bmp"), percent-encoded.
std::string ThumbnailUrl(const std::string& cachePath, const std::string& imageName,
                         const std::string& extension);

}  // namespace kov

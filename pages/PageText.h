#pragma once
// Text put into generated pages: file-name bytes made valid UTF-8, and templates
// filled in without ever treating inserted text as a format.
#include <string>
#include <vector>

namespace kov {

// The UTF-8 form of a byte string from the file system: valid UTF-8 passes unchanged,
// invalid bytes become U+FFFD. Never null; empty for empty input.
class CUtf8Text {
 public:
  CUtf8Text() = default;
  explicit CUtf8Text(const std::string& bytes) { Assign(bytes); }
  void Assign(const std::string& bytes);
  const std::string& GetText() const { return text_; }

 private:
  std::string text_;
};

// The file:// URL of an absolute path, every unsafe byte percent-encoded
// (/tmp/a b.jpg gives file:///tmp/a%20b.jpg); empty when the path is not absolute.
std::string FileUrlOf(const std::string& path);

// The URL a page shows a picture file by: its file:// URL, or, when the path is not
// valid UTF-8 (names from older systems in Latin-1 and the like),
// kovp://picture/<percent-encoded path>, which the page server answers with the
// file's bytes. The engine turns the escapes of a file:// URL back into UTF-8
// text, so it cannot open such a file by its file:// URL. Empty when the path is
// not absolute.
std::string PictureUrlOf(const std::string& path);

// Fills a page template: each "%s" takes the next argument as it stands (a missing
// argument gives nothing), "%%" gives "%", and every other byte, a lone '%' included,
// is copied. Arguments are never scanned for placeholders.
std::string FillTemplate(const std::string& templ, const std::vector<std::string>& args);

}  // namespace kov

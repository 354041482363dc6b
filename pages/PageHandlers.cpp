// The handlers of the kovp command table that need no thumbnail cache: the pages
// served as stored, the image and thumbnail-making pages filled in from their
// templates, and the built-in BIN resources.
#include <string>
#include <vector>

#include "base/FileBytes.h"
#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "pages/DecodedPictures.h"
#include "pages/FolderBackground.h"
#include "pages/PageProtocol.h"
#include "pages/PageText.h"
#include "platform/MediaTypes.h"
#include "res/BuiltInMusic.h"
#include "res/Resources.h"

namespace kov {

namespace {

constexpr int kDefaultPageTemplate = 157;
constexpr int kBlank2PageTemplate = 177;
constexpr int kBackgroundPageTemplate = 160;
constexpr int kThumbMakerPageTemplate = 156;
constexpr int kImagePageTemplate = 159;
constexpr int kBuiltInBackgroundPicture = 152;

// The leading decimal number of text as atoi reads it (white space, then a sign),
// kept to its low 16 bits; wrapping arithmetic, so no digit string can overflow.
unsigned LeadingNumberLow16(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10u + static_cast<unsigned>(text[i] - '0')) & 0xFFFFu;
  return (negative ? 0u - value : value) & 0xFFFFu;
}

}  // namespace

void CPageProtocol::ServeDefaultPage() {
  buffer_.AppendResource(kDefaultPageTemplate, ResourceType::kHtml);
  ReportComplete();
}

void CPageProtocol::ServeBlank2Page() {
  buffer_.AppendResource(kBlank2PageTemplate, ResourceType::kHtml);
  ReportComplete();
}

void CPageProtocol::ServeBackgroundPage() {
  // The media player cannot read kovp URLs: the page's music element gets the
  // built-in music's private file instead; without that file the page stays silent.
  std::string page;
  if (LoadResourceBytes(kBackgroundPageTemplate, ResourceType::kHtml, &page)) {
    BuiltInMusicFile music;
    if (GetBuiltInMusicFile(&music)) page = ReplaceBuiltInMusicUrl(page, music.url);
    buffer_.Append(page);
  }
  ReportComplete();
}

std::string CPageProtocol::GetImageBackgroundUrl() const {
  std::string found;
  if (FindFolderBackgroundFile(NormalizePath("/" + parts_.folder), &found, true)) {
    std::string url = PictureUrlOf(found);
    if (!url.empty()) return url;
  }
  return "kovp://bin/" + std::to_string(kBuiltInBackgroundPicture) + ".gif";
}

// Every inserted text stands inside a double-quoted attribute, so each is HTML-escaped;
// the URLs are already percent-encoded and the tooltip is made valid UTF-8 first.
void CPageProtocol::ServeImagePage() {
  std::string templ;
  std::string path = GetRequestPath();
  std::string pictureUrl = ViewPictureUrlOf(path);
  if (pictureUrl.empty() || !LoadResourceBytes(kImagePageTemplate, ResourceType::kHtml, &templ)) {
    ServeDefaultPage();
    return;
  }
  buffer_.Append(FillTemplate(templ, {HtmlEscape(GetImageBackgroundUrl()), HtmlEscape(pictureUrl),
                                      HtmlEscape(CUtf8Text(path).GetText())}));
  ReportComplete();
}

void CPageProtocol::ServeThumbMakerPage() {
  std::string templ;
  // The picture reaches the engine reduced and upright, decoded by the page server.
  std::string pictureUrl = ReducedPictureUrlOf(GetRequestPath());
  if (pictureUrl.empty() ||
      !LoadResourceBytes(kThumbMakerPageTemplate, ResourceType::kHtml, &templ)) {
    ServeDefaultPage();
    return;
  }
  buffer_.Append(FillTemplate(templ, {HtmlEscape(pictureUrl)}));
  ReportComplete();
}

// The bytes of a picture file, for pages that cannot name it by a file:// URL. Only
// files with a picture's name are served, so a page cannot read any other file;
// anything else, and a file that cannot be read, gives an empty answer, which the
// engine shows as a broken picture.
void CPageProtocol::ServePictureFile() {
  std::string path = GetRequestPath();
  std::vector<uint8_t> bytes;
  std::string error;
  if (IsImageFile(path) && ReadFileBytes(path, &bytes, &error)) buffer_.Append(bytes.data(), bytes.size());
  ReportComplete();
}

// The extension of the name part plays no role: 152.gif, 152 and 65688.gif all name 152.
void CPageProtocol::ServeBinResource() {
  buffer_.AppendResource(static_cast<int>(LeadingNumberLow16(parts_.name)), ResourceType::kBin);
  ReportComplete();
}

}  // namespace kov

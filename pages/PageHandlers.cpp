// The handlers of the kovp command table that need no thumbnail cache: the pages
// served as stored, the image and thumbnail-making pages filled in from their
// templates, and the built-in BIN resources.
#include <string>
#include <vector>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "pages/DecodedPictures.h"
#include "pages/FolderBackground.h"
#include "pages/PageProtocol.h"
#include "pages/PageText.h"
#include "pages/ThumbStripPage.h"
#include "platform/MediaTypes.h"
#include "res/BuiltInMusic.h"
#include "res/Resources.h"
#include "thumbs/ThumbStrip.h"

namespace kov {

namespace {

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

// The picture page with the view script (zoom, turn, caption) at the end of its body,
// where the picture element it works on is already there.
std::string WithPictureViewScript(const std::string& page) {
  std::string script;
  if (!LoadPictureViewScript(&script)) return page;
  size_t end = page.rfind("</body>");
  if (end == std::string::npos) end = page.size();
  return page.substr(0, end) + "<script>\r\n" + script + "</script>\r\n" + page.substr(end);
}

}  // namespace

void CPageProtocol::ServeDefaultPage() {
  buffer_.AppendResource(TemplateId::kBlankPage);
  ReportComplete();
}

void CPageProtocol::ServeBlank2Page() {
  buffer_.AppendResource(TemplateId::kBlank2Page);
  ReportComplete();
}

void CPageProtocol::ServeBackgroundPage() {
  // The page starts silent: the viewer gives its music element a source (setSnd)
  // once the first thumbnail page or picture is painted, because the media
  // player's start-up took about half a second from the first view.
  std::string page;
  if (LoadResourceBytes(TemplateId::kBackgroundPage, &page)) {
    const std::string source = std::string(" src=\"") + kBuiltInMusicUrl + "\"";
    size_t at = page.find(source);
    if (at != std::string::npos) page.erase(at, source.size());
    buffer_.Append(page);
  }
  ReportComplete();
}

std::string CPageProtocol::GetImageBackgroundUrl() const {
  std::string found;
  if (FindFolderBackgroundFile(NormalizePath("/" + parts_.folder), &found, true)) {
    std::string url = ViewPictureUrlOf(found);
    if (!url.empty()) return url;
  }
  return kBuiltInPictureUrl;
}

// Every inserted text stands inside a double-quoted attribute, so each is HTML-escaped;
// the URLs are already percent-encoded and the tooltip is made valid UTF-8 first.
void CPageProtocol::ServeImagePage() {
  std::string templ;
  std::string path = GetRequestPath();
  std::string pictureUrl = ViewPictureUrlOf(path);
  if (pictureUrl.empty() || !LoadResourceBytes(TemplateId::kImagePage, &templ)) {
    ServeDefaultPage();
    return;
  }
  buffer_.Append(WithPictureViewScript(FillTemplate(
      templ, {HtmlEscape(GetImageBackgroundUrl()), HtmlEscape(pictureUrl), HtmlEscape(CUtf8Text(path).GetText())})));
  ReportComplete();
}

void CPageProtocol::ServeThumbMakerPage() {
  std::string templ;
  // The picture reaches the engine reduced and upright, decoded by the page server.
  std::string pictureUrl = ReducedPictureUrlOf(GetRequestPath());
  if (pictureUrl.empty() ||
      !LoadResourceBytes(TemplateId::kThumbMakerPage, &templ)) {
    ServeDefaultPage();
    return;
  }
  buffer_.Append(FillTemplate(templ, {HtmlEscape(pictureUrl)}));
  ReportComplete();
}

// The builder's strip of pictures named by the URL's last part; a strip that is not
// (or no longer) known gets the default page, which holds no picture.
void CPageProtocol::ServeThumbStripPage() {
  std::vector<std::string> paths;
  if (!ThumbStripPictures(parts_.name, &paths)) {
    ServeDefaultPage();
    return;
  }
  buffer_.Append(ThumbStripPage(paths));
  ReportComplete();
}

// The bytes of a picture file, for pages that cannot name it by a file:// URL. Only
// files with a picture's name and a picture's first bytes are served, so a page
// cannot read any other file; anything else, and a file that cannot be read, gives
// an empty answer, which the engine shows as a broken picture.
void CPageProtocol::ServePictureFile() {
  AppendPictureFileBytes(GetRequestPath());
  ReportComplete();
}

// The name part's leading number, kept to 16 bits, picks the resource; its extension
// plays no role, and a number 65536 higher names the same resource.
void CPageProtocol::ServeBinResource() {
  buffer_.AppendResource(static_cast<BinId>(LeadingNumberLow16(parts_.name)));
  ReportComplete();
}

}  // namespace kov

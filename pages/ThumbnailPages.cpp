// The cache-backed handlers of the command table: the thumbnail list page and the rows
// it holds back, each built in one pass over a cache file's headers, and one cached
// thumbnail.
#include "pages/ThumbnailPages.h"

#include <cstring>

#include "base/TextEscape.h"
#include "formats/PictureHeader.h"
#include "pages/EngineFormats.h"
#include "pages/PageProtocol.h"
#include "pages/PageText.h"
#include "pages/ThumbnailListRows.h"
#include "platform/Screen.h"
#include "thumbs/ThumbCache.h"

namespace kov {
namespace {

const char kSpacerCell[] = "<td width=\"6\">&nbsp;</td>\r\n";
const char kFillerCell[] = "<td width=\"120\">&nbsp;</td>\r\n";

// A thumbnail is at most 120 x 120 pixels; twice that leaves room for one captured on
// a scaled screen. A payload claiming more is no thumbnail: a few hundred bytes of GIF
// can claim 65535 x 65535, which the engine would hold at 4 bytes a pixel.
constexpr int64_t kMaxThumbnailSide = 2 * 120;

// The size a GIF payload gives its picture, from its logical screen; false for any
// other payload, or a size no thumbnail has.
bool GifPictureSize(const CThumbCache::PayloadHead& head, unsigned* width, unsigned* height) {
  if (head.size < 10 || std::memcmp(head.bytes, "GIF", 3) != 0) return false;
  *width = head.bytes[6] | head.bytes[7] << 8;
  *height = head.bytes[8] | head.bytes[9] << 8;
  return *width > 0 && *height > 0 && *width <= kMaxThumbnailSide && *height <= kMaxThumbnailSide;
}

// The attributes of a thumbnail's IMG beyond its address. A thumbnail of known size
// is fetched only when it comes near the screen, so a long list shows its first
// screen at once; its size is given so that nothing moves when it arrives.
std::string ThumbnailImageAttributes(const CThumbCache::PayloadHead& head) {
  unsigned width = 0, height = 0;
  if (!GifPictureSize(head, &width, &height)) return "";
  return " loading=\"lazy\" width=\"" + std::to_string(width) + "\" height=\"" +
         std::to_string(height) + "\"";
}

// The two cells of one thumbnail: the picture (class "pic") and its caption.
// urlPrefix is the thumbnail address up to the image's name (the cache file's path
// encoded once for the whole list: encoding goes byte by byte, so the parts may be
// encoded apart). Everything is appended in place; a list of 5000 thumbnails spent a
// third of its making on temporary strings.
void AddThumbnailCells(const std::string& urlPrefix, const ThumbHeader& header,
                       const CThumbCache::PayloadHead& head, bool firstRow,
                       std::string* pictures, std::string* captions) {
  const char* extension = head.bytes[0] == 'G' || head.bytes[0] == 'g' ? ".gif" : ".bmp";
  const char* width = firstRow ? "width=\"120\"" : "";
  *pictures += "<td ";
  *pictures += width;
  *pictures += " class=\"pic\" onclick=\"doClick(this);\"><img src=\"";
  *pictures += urlPrefix;
  *pictures += PercentEncodePath(header.name + extension);
  *pictures += "\"";
  *pictures += ThumbnailImageAttributes(head);
  *pictures += "></td>\r\n";
  // Sizes print as the unsigned 32-bit values they are stored as.
  *captions += "<td ";
  *captions += width;
  *captions += " class=\"inf\"><div>";
  *captions += HtmlEscape(CUtf8Text(header.name).GetText());
  *captions += "<br>";
  *captions += std::to_string(static_cast<uint32_t>(header.width));
  *captions += " x ";
  *captions += std::to_string(static_cast<uint32_t>(header.height));
  *captions += "<br>&nbsp;</div></td>\r\n";
}

// A payload the engine is handed as a thumbnail: a GIF or a BMP whose header claims
// a thumbnail's size. A cache file is anybody's to write: any other payload (a page,
// a bomb) is answered by the placeholder, so a thumbnail's address never answers as
// anything but a small picture.
bool IsServableThumbnail(const std::string& payload) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(payload.data());
  const std::string type = PictureTypeOf(bytes, payload.size());
  if (type != "image/gif" && type != "image/bmp") return false;
  PictureSize claimed;
  return ReadPictureHeaderSize(bytes, payload.size(), &claimed) == HeaderSize::kKnown &&
         claimed.width > 0 && claimed.height > 0 && claimed.width <= kMaxThumbnailSide &&
         claimed.height <= kMaxThumbnailSide;
}

// The row pairs of a list, made from a cache file's records in one pass: pictures
// and captions, columns to a row, the row that runs out of records filled up with
// empty cells. A cache that cannot be opened simply has no records: its one row pair
// is all filler.
class CListRowReader {
 public:
  CListRowReader(const std::string& cachePath, int columns)
      : columns_(columns), urlPrefix_("kovp://thumbvw/" + PercentEncodePath(cachePath + "/")) {
    cache_.OpenForRead(cachePath);
  }

  // The next row pair's markup; false once the row that ran out has been given.
  bool Next(std::string* rowPair) {
    if (!more_) return false;
    std::string pictures = "<tr>\r\n", captions = "<tr>\r\n";
    for (int column = 0; column < columns_; ++column) {
      ThumbHeader header;
      CThumbCache::PayloadHead head;
      if (more_ && cache_.ReadNextHead(&header, &head)) {
        ++count_;
        AddThumbnailCells(urlPrefix_, header, head, row_ == 0, &pictures, &captions);
      } else {
        more_ = false;
        pictures += kFillerCell;
        captions += kFillerCell;
      }
      if (column < columns_ - 1) {
        pictures += kSpacerCell;
        captions += kSpacerCell;
      }
    }
    ++row_;
    *rowPair = pictures + "</tr>\r\n" + captions + "</tr>\r\n";
    return true;
  }

  // Passes over the next row pair as Next does, reading only the records' headers.
  bool Skip() {
    if (!more_) return false;
    for (int column = 0; more_ && column < columns_; ++column) {
      ThumbHeader header;
      if (cache_.ReadNextHead(&header, nullptr))
        ++count_;
      else
        more_ = false;
    }
    ++row_;
    return true;
  }

  // The records read so far.
  int count() const { return count_; }

 private:
  CThumbCache cache_;
  const int columns_;
  const std::string urlPrefix_;
  bool more_ = true;
  int row_ = 0;
  int count_ = 0;
};

}  // namespace

int ScreenColumns() {
  int columns = (GetScreenRect().right - 6) / 126;
  return columns < 1 ? 1 : columns;
}

void CUrlText::Assign(const std::string& text) { text_ = PercentEncodePath(text); }

std::string ThumbnailUrl(const std::string& cachePath, const std::string& imageName,
                         const std::string& extension) {
  return "kovp://thumbvw/" + CUrlText(cachePath + "/" + imageName + "." + extension).GetText();
}

void CPageProtocol::ServeThumbnailList() {
  const std::string path = GetRequestPath();
  Buffer().AppendResource(TemplateId::kThumbnailListHead);
  const int columns = ScreenColumns();
  Buffer().Append("<table width=\"100%\" cols=\"" + std::to_string(2 * columns - 1) +
                  "\" cellSpacing=\"0\" cellPadding=\"0\">\r\n");
  CListRowReader reader(path, columns);
  std::string table, rowPair;
  for (int row = 0; row < InlineRowPairs() && reader.Next(&rowPair); ++row) table += rowPair;
  int heldRowPairs = 0;
  while (reader.Skip()) ++heldRowPairs;
  Buffer().Append(table + "</table>\r\n" +
                  HeldRowsPlaceholder(heldRowPairs, "kovp://thumbrows/" + PercentEncodePath(path)));
  Buffer().Append("</body>\r\n<SCRIPT LANGUAGE=JSCRIPT>\r\nwindow.external.ThumbnailListReport(" +
                  std::to_string(reader.count()) + ");\r\n</SCRIPT>\r\n\r\n</html>\r\n");
  ReportComplete();
}

void CPageProtocol::ServeHeldThumbnailRows() {
  CListRowReader reader(GetRequestPath(), ScreenColumns());
  for (int row = 0; row < InlineRowPairs(); ++row) reader.Skip();  // the table's rows
  CHeldRowBlocks blocks;
  std::string rowPair;
  while (reader.Next(&rowPair)) blocks.Add(rowPair);
  SetContentType("text/javascript");
  Buffer().Append(blocks.Script());
  ReportComplete();
}

void CPageProtocol::ServeThumbnail() {
  const std::string path = GetRequestPath();
  // The cache file's path, then the image's name with the added extension.
  size_t slash = path.rfind('/');
  std::string cachePath = slash == std::string::npos || slash == 0 ? "" : path.substr(0, slash);
  std::string entry = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = entry.rfind('.');
  if (dot != std::string::npos && dot != 0) entry.resize(dot);

  CThumbCache cache;
  std::string payload;
  cache.OpenForRead(cachePath);  // lookups in a cache that did not open find nothing
  if (cache.FindThumbnail(entry, &payload) && IsServableThumbnail(payload)) {
    SetContentType(payload[0] == 'G' ? "image/gif" : "image/bmp");
    Buffer().Append(payload);
  } else {
    SetContentType("image/bmp");
    Buffer().AppendResource(BinId::kPlaceholderThumbnail);
  }
  ReportComplete();
}

}  // namespace kov

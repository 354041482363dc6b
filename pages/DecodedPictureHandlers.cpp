// The pictures the page server decodes for the engine with the desktop's image
// library: "reduced" for the thumbnail-making page (fitted to twice the thumbnail's
// box, upright, as a BMP or PNG), "decoded" for the picture view of formats the
// engine cannot read. A file the library cannot read goes out as it is, for the
// engine to try; a picture of absurd size goes out as nothing, a broken picture.
#include <vector>

#include "base/FileBytes.h"
#include "base/TextEscape.h"
#include "formats/DecodeAhead.h"
#include "formats/PixbufDecode.h"
#include "pages/DecodedPictures.h"
#include "pages/EngineFormats.h"
#include "pages/PageProtocol.h"
#include "pages/PageText.h"
#include "platform/MediaTypes.h"
#include "platform/Trace.h"
#include "thumbs/NaturalSizeMemo.h"

namespace kov {

namespace {

void TraceRefusal(const std::string& path, const std::string& error) {
  if (TraceEnabled()) TraceLine("decode refused " + path + ": " + error);
}

}  // namespace

std::string ReducedPictureUrlOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return "";
  return "kovp://reduced/" + PercentEncodePath(path);
}

std::string ViewPictureUrlOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return "";
  if (NeedsDesktopDecoder(path)) return "kovp://decoded/" + PercentEncodePath(path);
  return PictureUrlOf(path);
}

// What a picture file holds, when its name is a picture's; nothing otherwise.
void CPageProtocol::AppendPictureFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (IsImageFile(path) && ReadFileBytes(path, &bytes, nullptr))
    buffer_.Append(bytes.data(), bytes.size());
}

void CPageProtocol::ServeReducedPicture() {
  std::string path = GetRequestPath();
  DecodedPicture picture;
  std::string error;
  DecodeResult result = DecodeResult::kUnreadable;
  // The builder has the next pictures decoded on worker threads while it stores the
  // ones before; a picture not among them is decoded here.
  CDecodeAhead* ahead = ActiveDecodeAhead();
  if (IsImageFile(path) && !(ahead && ahead->Take(path, &result, &picture, &error)))
    result = DecodePictureFile(path, kReducedFitBox, &picture, &error);
  if (result == DecodeResult::kDecoded) {
    RememberNaturalSize(path, picture.naturalWidth, picture.naturalHeight);
    buffer_.Append(picture.file);
  } else {
    TraceRefusal(path, error);
    RememberNaturalSize(path, 0, 0);
    if (result == DecodeResult::kUnreadable) AppendPictureFileBytes(path);
  }
  ReportComplete();
}

void CPageProtocol::ServeDecodedPicture() {
  std::string path = GetRequestPath();
  DecodedPicture picture;
  std::string error;
  DecodeResult result = IsImageFile(path) ? DecodePictureFile(path, 0, &picture, &error)
                                          : DecodeResult::kUnreadable;
  if (result == DecodeResult::kDecoded) {
    buffer_.Append(picture.file);
  } else {
    TraceRefusal(path, error);
    if (result == DecodeResult::kUnreadable) AppendPictureFileBytes(path);
  }
  ReportComplete();
}

}  // namespace kov

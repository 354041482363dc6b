// The pictures the page server decodes for the engine with the desktop's image
// library: "reduced" for the thumbnail-making page (fitted to twice the thumbnail's
// box, upright, as a BMP or PNG), "decoded" for the picture view of formats the
// engine cannot read and of pictures too large for it (reduced to fit it). A
// file the library cannot read goes out as it is, for the engine to try, unless its
// header claims more than the engine can hold; a picture of absurd size goes out as
// nothing, a broken picture.
#include <sys/stat.h>

#include <cerrno>
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
  // A picture that is not there shows the engine's broken-picture sign either way.
  struct stat info;
  if ((stat(path.c_str(), &info) != 0 && errno == ENOENT) || EngineTakesFile(path))
    return PictureUrlOf(path);
  return "kovp://decoded/" + PercentEncodePath(path);
}

// What a picture file holds, when its name is a picture's, its first bytes are a
// picture's and its header claims nothing the engine cannot hold; nothing otherwise.
// A header that is not found (bytes the library could not read either) is left to
// the engine to refuse.
void CPageProtocol::AppendPictureFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!IsImageFile(path) || !ReadFileBytes(path, &bytes, nullptr)) return;
  PictureSize claimed;
  if (ReadPictureHeaderSize(bytes.data(), bytes.size(), &claimed) == HeaderSize::kKnown &&
      !FitsTheEngine(claimed)) {
    TraceRefusal(path, "the header claims " + std::to_string(claimed.width) + " x " +
                           std::to_string(claimed.height) + ", more than the engine is given");
    return;
  }
  // Answered as the picture its first bytes say, or not at all: never as a page.
  std::string type = PictureTypeOf(bytes.data(), bytes.size());
  if (type.empty()) return;
  SetContentType(type);
  buffer_.Append(bytes.data(), bytes.size());
}

void CPageProtocol::AppendDecodedPicture(const std::string& file) {
  SetContentType(file.compare(0, 2, "BM") == 0 ? "image/bmp" : "image/png");
  buffer_.Append(file);
}

void CPageProtocol::ServeReducedPicture() {
  std::string path = GetRequestPath();
  DecodedPicture picture;
  std::string error;
  DecodeResult result = DecodeResult::kUnreadable;
  // The builder has the next pictures decoded on worker threads while it stores the
  // ones before; a picture not among them is decoded here.
  std::shared_ptr<CDecodeAhead> ahead = ActiveDecodeAhead();
  if (IsImageFile(path) && !(ahead && ahead->Take(path, &result, &picture, &error)))
    result = DecodePictureFile(path, kReducedFitBox, &picture, &error);
  if (result == DecodeResult::kDecoded) {
    RememberNaturalSize(path, picture.naturalWidth, picture.naturalHeight);
    AppendDecodedPicture(picture.file);
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
  // Whole, unless that is more than the picture view is given decoded: then reduced.
  DecodeResult result = IsImageFile(path)
                            ? DecodePictureFile(path, kMaxEngineSide, &picture, &error, kMaxDecodedViewPixels)
                            : DecodeResult::kUnreadable;
  if (result == DecodeResult::kDecoded) {
    AppendDecodedPicture(picture.file);
  } else {
    TraceRefusal(path, error);
    if (result == DecodeResult::kUnreadable) AppendPictureFileBytes(path);
  }
  ReportComplete();
}

}  // namespace kov

#include "formats/ScreenCapture.h"

#include <algorithm>

#include "base/Fail.h"
#include "base/FileBytes.h"
#include "formats/BmpWriter.h"

namespace kov {

bool ClipCaptureRect(const CaptureRect& rect, uint32_t screenWidth, uint32_t screenHeight,
                     CaptureRect* clipped) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return false;
  int64_t left = std::max(rect.left, 0), top = std::max(rect.top, 0);
  int64_t right = std::min<int64_t>(screenWidth, rect.right);
  int64_t bottom = std::min<int64_t>(screenHeight, rect.bottom);
  if (right <= left || bottom <= top) return false;
  *clipped = {int(left), int(top), int(right), int(bottom)};
  return true;
}

CScreenCapture::CScreenCapture(const PixelBuffer& screen, const CaptureRect& rect) {
  CaptureRect r;
  if (!ClipCaptureRect(rect, screen.width, screen.height, &r)) return;
  if (!MakeDib24(screen, uint32_t(r.left), uint32_t(r.top), uint32_t(r.right - r.left),
                 uint32_t(r.bottom - r.top), &dib_))
    dib_.clear();
}

bool CScreenCapture::WriteBmpFile(const std::string& path, std::string* error) const {
  if (!HasDib()) return Fail(error, "nothing was captured");
  return WriteFileAtomically(path, GetBmpFileImage(), error);
}

std::vector<uint8_t> CScreenCapture::GetBmpFileImage() const {
  return HasDib() ? MakeBmpFileImage(dib_) : std::vector<uint8_t>{};
}

}  // namespace kov

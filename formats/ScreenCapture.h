#pragma once
// A captured rectangle of what the engine painted, held as a packed 24-bit
// bottom-up DIB, and its BMP forms (a file on disk or a file image in memory).
// The pixels come from a snapshot of the visible region: the caller hands over
// the snapshot's pixel buffer and the rectangle to keep.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/Dib.h"

namespace kov {

// Right and bottom are exclusive.
struct CaptureRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The part of rect that lies on a screen (snapshot) of the given size: a left or
// top edge before 0 starts at 0 and keeps its right and bottom; a right or
// bottom edge past the screen is cut there. False when rect is empty or nothing
// of it is left.
bool ClipCaptureRect(const CaptureRect& rect, uint32_t screenWidth, uint32_t screenHeight,
                     CaptureRect* clipped);

class CScreenCapture {
 public:
  CScreenCapture() = default;  // no DIB
  // Captures rect of the screen pixels; without a DIB when the clipped rectangle
  // is empty or the buffer cannot supply it.
  CScreenCapture(const PixelBuffer& screen, const CaptureRect& rect);
  virtual ~CScreenCapture() = default;

  bool HasDib() const { return !dib_.empty(); }
  const std::vector<uint8_t>& Dib() const { return dib_; }

  // False when there is no DIB or the file cannot be written; the file is
  // replaced atomically.
  bool WriteBmpFile(const std::string& path, std::string* error = nullptr) const;
  // The BMP file image (file header and DIB); empty when there is no DIB.
  std::vector<uint8_t> GetBmpFileImage() const;

 private:
  std::vector<uint8_t> dib_;
};

}  // namespace kov

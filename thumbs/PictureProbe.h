#pragma once
// What the builder's window reads from the strip page before it takes a snapshot:
// for each cell (a thumbnail-making page in a frame) the page's state, the one
// picture's completeness, displayed rectangle and natural size, in one script call.
// The script answers with a flat JSON array of integers, which ParseStripProbe
// reads back and DecideCapture turns, cell by cell, into "wait", "no picture" or
// the rectangle to crop.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/ScreenCapture.h"

namespace kov {

// The body of an async function that returns, as JSON text, the state of the strip
// page showing the strip at stripUrl (its `strip`) and of each of its cells (ParseStripProbe reads it) only once the
// shown pictures' pixels are decoded (their decode() promises) and a frame has been
// painted with them. "Complete" alone is not enough: the engine decodes large
// pictures asynchronously, after the load, and paints the page without them until
// then. A frame that does not come within a second (the view throttled) answers
// "not complete" for every cell, so they are probed again.
std::string PaintedStripProbeBody(const std::string& stripUrl);

struct PictureProbe {
  bool documentComplete = false;
  int32_t imageCount = 0;      // IMG elements in the page
  bool imageComplete = false;  // the IMG's complete flag: loaded, or failed for good
  bool imageShown = false;     // the page's script has scaled it and made it visible
  int32_t decodedWidth = 0;    // the engine's natural size; 0 when it could not decode
  int32_t decodedHeight = 0;
  // Displayed size and position in the visible region, in the snapshot's pixels
  // (page pixels times the screen's scale).
  int32_t width = 0;
  int32_t height = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t naturalWidth = 0;  // the page's imgWidth and imgHeight variables
  int32_t naturalHeight = 0;
  bool onThumbnailPage = false;  // the document is a kovp://thumbmk/ page
};

// False unless json is an array of exactly one cell's 13 integers, each in range.
bool ParsePictureProbe(const std::string& json, PictureProbe* probe);
// The strip probe's answer as one probe per cell; when the page shown is not the
// strip or holds another number of cells, every probe is left "not on the page".
// False unless json is the header and 13 integers for each frame it names.
bool ParseStripProbe(const std::string& json, size_t cells, std::vector<PictureProbe>* probes);

enum class ProbeVerdict {
  kWait,     // not there yet: ask again at the next poll
  kCapture,  // crop *rect of the snapshot
  kFailed,   // the page is complete but holds no picture to take
};

// The decision on a probe. A picture thinner than one pixel after scaling (a long
// strip) is still taken one pixel wide, so it keeps a visible thumbnail.
ProbeVerdict DecideCapture(const PictureProbe& probe, CaptureRect* rect);

}  // namespace kov

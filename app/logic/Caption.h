#pragma once
// The caption line over a picture: its name, its place in the folder ("2 of 5"), the
// folder, the pixel size and, from EXIF, the date taken and the camera; and that the
// music or the slide show's fade is off, since the caption is where the viewer says so.
#include <string>

#include "formats/PictureFacts.h"

namespace kov {

// The switches the caption mentions when they are off.
struct CaptionSwitches {
  bool muted = false;
  bool fadeOff = false;
};

struct CaptionPlace {
  int position = 0;  // 1-based; 0 when the picture is not one of the walk's
  int count = 0;     // the pictures of its folder
};

// Names shown as text (converted to UTF-8 for display), parts joined by " \xc2\xb7 ".
std::string CaptionText(const std::string& path, CaptionPlace place, const PictureFacts& facts,
                        CaptionSwitches switches);

// The statement that gives the picture page its caption and shows or hides it.
std::string CaptionStatement(const std::string& text, bool shown);

}  // namespace kov

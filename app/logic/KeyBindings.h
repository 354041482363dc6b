#pragma once
// Every key and mouse action of the viewer, in one table: the key lookup reads its
// keys, and the key help page, `kov --help`, the manual page and the user guide are
// written from its texts, so what is documented is what the keys do.
#include <cstddef>
#include <cstdint>

namespace kov {

// What is in front when a key is pressed: the picture view has keys of its own
// (step, zoom, turn); everywhere else those keys stay the page's, so the thumbnail
// list keeps scrolling with them.
enum class KeyView { kThumbnails, kPicture };

enum KeyViews : unsigned { kInThumbnails = 1u << 0, kInPicture = 1u << 1, kEverywhere = 3u };

// Which of Ctrl and Shift a binding needs. Alt always blocks. kShiftEither is for
// symbols that need Shift on one layout and not on another (?, +).
enum class KeyHeld { kNothing, kCtrl, kCtrlShiftEither, kShift, kShiftEither };

enum class KeySection { kPicture, kSlideShow, kFolders, kTools, kMouse };

struct KeyStroke {
  uint32_t keysym;  // X keysym (GDK's key value); 0 ends the list
  int command;
};

struct KeyBinding {
  KeySection section;
  const char* keys;    // as the user reads them: "Right, Page Down"
  const char* action;  // what they do, a phrase without a final stop
  unsigned views;      // KeyViews bits
  KeyHeld held;
  KeyStroke strokes[16];  // none for mouse actions and keys the page handles itself
};

const KeyBinding* KeyBindings(size_t* count);
const char* KeySectionTitle(KeySection section);

}  // namespace kov

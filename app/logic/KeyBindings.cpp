#include "app/logic/KeyBindings.h"

#include "res/CommandIds.h"

namespace kov {
namespace {

// X keysyms used below.
enum : uint32_t {
  kReturn = 0xff0d, kKpEnter = 0xff8d, kEscape = 0xff1b, kSpace = 0x20, kBackSpace = 0xff08,
  kDelete = 0xffff, kKpDecimal = 0xffae, kKpDelete = 0xff9f, kKp0 = 0xffb0,
  kHome = 0xff50, kLeft = 0xff51, kRight = 0xff53, kPageUp = 0xff55, kPageDown = 0xff56, kEnd = 0xff57,
  kKpHome = 0xff95, kKpLeft = 0xff96, kKpRight = 0xff98, kKpPageUp = 0xff9a, kKpPageDown = 0xff9b,
  kKpEnd = 0xff9c, kKpAdd = 0xffab, kKpSubtract = 0xffad, kF1 = 0xffbe,
};

const KeyBinding kBindings[] = {
    // The picture view.
    {KeySection::kPicture, "Right, Page Down", "the next picture, whatever the direction (Right pans a zoomed picture)",
     kInPicture, KeyHeld::kNothing,
     {{kRight, kCmdPanOrNextPicture}, {kKpRight, kCmdPanOrNextPicture},
      {kPageDown, kCmdShowNextPicture}, {kKpPageDown, kCmdShowNextPicture}}},
    {KeySection::kPicture, "Left, Page Up", "the previous picture, whatever the direction (Left pans a zoomed picture)",
     kInPicture, KeyHeld::kNothing,
     {{kLeft, kCmdPanOrPreviousPicture}, {kKpLeft, kCmdPanOrPreviousPicture},
      {kPageUp, kCmdShowPreviousPicture}, {kKpPageUp, kCmdShowPreviousPicture}}},
    {KeySection::kPicture, "Home, End", "the first, the last picture of the folder", kInPicture, KeyHeld::kNothing,
     {{kHome, kCmdFirstPicture}, {kKpHome, kCmdFirstPicture}, {kEnd, kCmdLastPicture}, {kKpEnd, kCmdLastPicture}}},
    {KeySection::kPicture, "Backspace", "back to the thumbnails", kInPicture, KeyHeld::kNothing,
     {{kBackSpace, kCmdBackToThumbnails}}},
    {KeySection::kPicture, "Up, Down", "pan a zoomed picture", kInPicture, KeyHeld::kNothing, {}},
    {KeySection::kPicture, "Ctrl+plus, Ctrl+minus", "zoom in, zoom out", kInPicture, KeyHeld::kCtrlShiftEither,
     {{'+', kCmdZoomIn}, {'=', kCmdZoomIn}, {kKpAdd, kCmdZoomIn}, {'-', kCmdZoomOut}, {kKpSubtract, kCmdZoomOut}}},
    {KeySection::kPicture, "Ctrl+0", "fit the picture to the screen", kInPicture, KeyHeld::kCtrl,
     {{'0', kCmdZoomToFit}, {kKp0, kCmdZoomToFit}}},
    {KeySection::kPicture, "Ctrl+1", "show the picture at 100 %", kInPicture, KeyHeld::kCtrl,
     {{'1', kCmdZoomToActualSize}, {kKp0 + 1, kCmdZoomToActualSize}}},
    {KeySection::kPicture, "[, ]", "turn the view left, right (the file is not changed)", kInPicture,
     KeyHeld::kNothing, {{'[', kCmdRotateLeft}, {']', kCmdRotateRight}}},
    {KeySection::kPicture, "I", "show or hide the caption: name, place in the folder, folder, size, date taken, camera",
     kInPicture, KeyHeld::kNothing, {{'i', kCmdToggleCaption}, {'I', kCmdToggleCaption}}},

    // The slide show and the walk through the pictures of every folder.
    {KeySection::kSlideShow, "Return", "the next picture in the current direction, on through every folder",
     kEverywhere, KeyHeld::kNothing, {{kReturn, kCmdNextImage}, {kKpEnter, kCmdNextImage}}},
    {KeySection::kSlideShow, "Delete", "reverse the direction", kEverywhere, KeyHeld::kNothing,
     {{kDelete, kCmdReverseDirection}, {kKpDecimal, kCmdReverseDirection}, {kKpDelete, kCmdReverseDirection}}},
    {KeySection::kSlideShow, "Space", "start or stop the slide show", kEverywhere, KeyHeld::kNothing,
     {{kSpace, kCmdToggleSlideShow}}},
    {KeySection::kSlideShow, "Shift+Space", "start or stop a slide show in random order through every folder, "
     "each picture once before any comes again", kEverywhere, KeyHeld::kShift, {{kSpace, kCmdShuffledSlideShow}}},
    {KeySection::kSlideShow, "X", "cross-fade between slides off, on (remembered)", kEverywhere, KeyHeld::kNothing,
     {{'x', kCmdToggleCrossFade}, {'X', kCmdToggleCrossFade}}},
    {KeySection::kSlideShow, "1, 2, 3, 5, 0, F, T", "run the slide show every 1, 2, 3, 5, 10, 15, 20 seconds",
     kEverywhere, KeyHeld::kNothing,
     {{'1', kCmdInterval1}, {kKp0 + 1, kCmdInterval1}, {'2', kCmdInterval2}, {kKp0 + 2, kCmdInterval2},
      {'3', kCmdInterval3}, {kKp0 + 3, kCmdInterval3}, {'5', kCmdInterval5}, {kKp0 + 5, kCmdInterval5},
      {'0', kCmdInterval10}, {kKp0, kCmdInterval10}, {'f', kCmdInterval15}, {'F', kCmdInterval15},
      {'t', kCmdInterval20}, {'T', kCmdInterval20}}},
    {KeySection::kSlideShow, "Escape", "stop the slide show, else back to the thumbnails; close the key help",
     kEverywhere, KeyHeld::kNothing, {{kEscape, kCmdEscape}}},

    // Folders and thumbnails.
    {KeySection::kFolders, "Ctrl+Page Down, Ctrl+Page Up", "the next, the previous folder", kEverywhere,
     KeyHeld::kCtrl, {{kPageDown, kCmdNextFolder}, {kPageUp, kCmdPreviousFolder}}},
    {KeySection::kFolders, "F2", "the folder tree", kEverywhere, KeyHeld::kNothing, {{kF1 + 1, kCmdOpenFolderTree}}},
    {KeySection::kFolders, "F3", "make the folder's thumbnails again", kEverywhere, KeyHeld::kNothing,
     {{kF1 + 2, kCmdRebuildThumbnails}}},
    {KeySection::kFolders, "F5", "refresh the thumbnails; from a picture, back to them", kEverywhere,
     KeyHeld::kNothing, {{kF1 + 4, kCmdRefresh}}},

    // Tools and the rest.
    {KeySection::kTools, "?, H", "this list of keys", kEverywhere, KeyHeld::kShiftEither,
     {{'?', kCmdKeyHelp}, {'h', kCmdKeyHelp}, {'H', kCmdKeyHelp}}},
    {KeySection::kTools, "M", "background music off, on (remembered)", kEverywhere, KeyHeld::kNothing,
     {{'m', kCmdToggleMute}, {'M', kCmdToggleMute}}},
    {KeySection::kTools, "F1", "About KOV", kEverywhere, KeyHeld::kNothing, {{kF1, kCmdAbout}}},
    {KeySection::kTools, "F4", "the folder's background picture and music", kEverywhere, KeyHeld::kNothing,
     {{kF1 + 3, kCmdBackground}}},
    {KeySection::kTools, "F6", "thumbnails for a web page", kEverywhere, KeyHeld::kNothing,
     {{kF1 + 5, kCmdWebThumbnails}}},
    {KeySection::kTools, "F7", "open the folder in the file manager", kEverywhere, KeyHeld::kNothing,
     {{kF1 + 6, kCmdOpenFileManager}}},
    {KeySection::kTools, "F11", "full screen, or a window you can move and size", kEverywhere, KeyHeld::kNothing,
     {{kF1 + 10, kCmdToggleFullScreen}}},
    {KeySection::kTools, "Ctrl+P", "print the thumbnails or the picture", kEverywhere, KeyHeld::kCtrl,
     {{'p', kCmdPrint}}},

    // The mouse and the toolbar.
    {KeySection::kMouse, "click a thumbnail", "show the picture", kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "Ctrl+click a thumbnail", "mark it (red border) for Copy, Move and Delete Selected",
     kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "right-click", "the menu: print, print preview, save the picture, copy, move, delete",
     kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "click the picture", "fit it to the screen, or show it at 100 %", kEverywhere,
     KeyHeld::kNothing, {}},
    {KeySection::kMouse, "Ctrl+click the picture", "show it at 80 % of the screen", kEverywhere,
     KeyHeld::kNothing, {}},
    {KeySection::kMouse, "wheel", "over a picture that fits the screen, the next or previous picture; "
     "else it scrolls", kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "Ctrl+wheel", "zoom the picture around the pointer", kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "drag", "pan a zoomed picture", kEverywhere, KeyHeld::kNothing, {}},
    {KeySection::kMouse, "toolbar", "slide show, previous, next, tools menu, back or quit, folder tree, About, "
     "Prepare Photo CD, minimise, maximise", kEverywhere, KeyHeld::kNothing, {}},
};

}  // namespace

const KeyBinding* KeyBindings(size_t* count) {
  *count = sizeof(kBindings) / sizeof(kBindings[0]);
  return kBindings;
}

const char* KeySectionTitle(KeySection section) {
  switch (section) {
    case KeySection::kPicture: return "Pictures";
    case KeySection::kSlideShow: return "Slide show";
    case KeySection::kFolders: return "Folders and thumbnails";
    case KeySection::kTools: return "Tools";
    case KeySection::kMouse: return "Mouse and toolbar";
  }
  return "";
}

}  // namespace kov

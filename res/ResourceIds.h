#pragma once
// The names of the program's compiled-in resources, one enumeration per kind. The
// numbers are the ids the resources are stored under: the files in res/ are named by
// meaning, and the bundle holds each under its id (res/html/image-page.htm as
// html/159.htm); pages ask for the BIN resources by number (kovp://bin/153.mid), so
// the numbers never change. Code outside res/ names a resource only through these.
namespace kov {

// Texts of the string table (res/StringTable.cpp).
enum class StringId : int {
  kTipQuit = 5000,
  kTipNext = 5001,
  kTipSlideShow = 5002,
  kTipPrevious = 5003,
  kTipTools = 5004,
  kTipOpenFolder = 5005,
  kNoPicturesInFolder = 5006,  // a page text; one %s, the folder
  kMusicFileFilter = 5007,
  kPictureFileFilter = 5008,
  kTipBackToThumbnails = 5009,
  kTipAbout = 5010,
  kTipPhotoCd = 5011,
  kAutorunFailed = 5012,
  kPhotoCdDone = 5013,
  kProgramCopyFailed = 5014,
  kQuitQuestion = 5016,
  kDeleteQuestion = 5017,  // one %lu, the number of files
  kTipRestore = 5019,
  kTipMinimize = 5020,
  kTipMaximize = 5021,
};

// The HTML page templates (res/html/).
enum class TemplateId : int {
  kThumbnailListHead = 155,   // "thumblst": the table and a closing script follow it
  kThumbMakerPage = 156,      // "thumbmk": one %s, the picture's file URL
  kBlankPage = 157,           // "blank" and every unknown command
  kImagePage = 159,           // "image": %s background URL, picture URL, picture path
  kBackgroundPage = 160,      // "background": the information pane
  kBlank2Page = 177,          // "blank2"
  kWebThumbnailListHead = 180,  // head of the web page the tools write into a folder
};

// The toolbar's and the folder tree's bitmaps (res/bitmaps/), 24-bit BMP files.
enum class BitmapId : int {
  kQuit = 134,
  kPlay = 135,
  kPreviousForward = 136,  // previous while the pictures go forward: a pale arrow
  kPause = 137,
  kNextBackward = 138,  // next while the pictures go backward: a pale arrow
  kTools = 139,
  kFrameTopRight = 140,     // 15 x 14
  kFrameBottomRight = 141,  // 2 x 2
  kFrameBottom = 142,       // 100 x 2, used in 16-pixel pieces
  kFrameLeft = 143,         // 2 x 16
  kFrameRight = 144,        // 2 x 16
  kFrameTop = 145,          // 32 x 14
  kFrameTopLeft = 146,      // 15 x 14
  kFrameBottomLeft = 147,   // 2 x 2
  kOkDisabled = 148,
  kOk = 149,
  kOpenFolder = 151,
  kCancel = 161,
  kAbout = 165,
  kPhotoCd = 166,
  kRestore = 172,
  kMinimize = 173,
  kMaximize = 174,
  kPreviousBackward = 175,  // previous while the pictures go backward: a strong arrow
  kNextForward = 176,       // next while the pictures go forward: a strong arrow
};

// The pop-up menus (res/Menus.cpp).
enum class MenuId : int {
  kContextMenu = 171,  // the pages' right-click menu
  kToolsMenu = 179,    // the toolbar's settings-and-tools menu
};

// The accelerator table (res/Accelerators.cpp): keys with modifiers for the toolbar.
enum class AcceleratorTableId : int {
  kToolbarKeys = 169,
};

// The BIN resources (res/bin/), served as kovp://bin/<number>.
enum class BinId : int {
  kBackgroundPicture = 152,     // GIF, 160 x 160
  kBackgroundMusic = 153,       // Standard MIDI file
  kPlaceholderThumbnail = 154,  // BMP, 32 x 32: a thumbnail that is missing
};

}  // namespace kov

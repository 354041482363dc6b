#include "res/StringTable.h"

namespace kov {
namespace {

struct StringEntry {
  StringId id;
  const char* text;
};

const StringEntry kStrings[] = {
    {StringId::kTipQuit, "Quit KOV"},
    {StringId::kTipNext, "Display next image\r\nShortcut key: Return, Delete"},
    {StringId::kTipSlideShow, "Enter or leave autoplay mode\r\nShortcut key: spacebar, or 1, 2, 3, 5, 0 to change speed."},
    {StringId::kTipPrevious, "Display previous image\r\nShortcut key: Return, Delete"},
    {StringId::kTipTools, "Settings and Tools"},
    {StringId::kTipOpenFolder, "Open image folder\r\nShortcut key: F2"},
    {StringId::kNoPicturesInFolder, "<h3>There are no any image files in the current folder.</h3><p>%s</p>"},
    {StringId::kMusicFileFilter, "Sound Files|*.mp3;*.mid;*.midi;*.wav;*.wma|All Files|*.*||"},
    {StringId::kPictureFileFilter, "Image Files|*.gif;*.bmp;*.jpg;*.jpeg;*.png|All Files|*.*||"},
    {StringId::kTipBackToThumbnails, "Back to thumbnails\r\nShortcut key: Escape"},
    {StringId::kTipAbout, "Online help documents and latest information about KOV"},
    {StringId::kTipPhotoCd, "Prepare photo CD"},
    {StringId::kAutorunFailed, "Failed creating autorun info file."},
    {StringId::kPhotoCdDone, "Done!"},
    {StringId::kProgramCopyFailed, "Failed copying KOV.exe to the specified folder."},
    {StringId::kQuitQuestion, "This will close KOV application.\r\n\r\nAre you sure?"},
    {StringId::kDeleteQuestion, "%lu files will be deleted.\r\n\r\nContinue?"},
    {StringId::kTipRestore, "Restore Down"},
    {StringId::kTipMinimize, "Minimize"},
    {StringId::kTipMaximize, "Maximize"},
};

}  // namespace

const char* LoadString(StringId id) {
  for (const StringEntry& entry : kStrings) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}

}  // namespace kov

#include "res/StringTable.h"

namespace kov {
namespace {

struct StringEntry {
  int id;
  const char* text;
};

const StringEntry kStrings[] = {
    {5000, "Quit KOV"},
    {5001, "Display next image\r\nShortcut key: Return, Delete"},
    {5002, "Enter or leave autoplay mode\r\nShortcut key: spacebar, or 1, 2, 3, 5, 0 to change speed."},
    {5003, "Display previous image\r\nShortcut key: Return, Delete"},
    {5004, "Settings and Tools"},
    {5005, "Open image folder\r\nShortcut key: F2"},
    {5006, "<h3>There are no any image files in the current folder.</h3><p>%s</p>"},
    {5007, "Sound Files|*.mp3;*.mid;*.midi;*.wav;*.wma|All Files|*.*||"},
    {5008, "Image Files|*.gif;*.bmp;*.jpg;*.jpeg;*.png|All Files|*.*||"},
    {5009, "Back to thumbnails\r\nShortcut key: Escape"},
    {5010, "Online help documents and latest information about KOV"},
    {5011, "Prepare photo CD"},
    {5012, "Failed creating autorun info file."},
    {5013, "Done!"},
    {5014, "Failed copying KOV.exe to the specified folder."},
    {5016, "This will close KOV application.\r\n\r\nAre you sure?"},
    {5017, "%lu files will be deleted.\r\n\r\nContinue?"},
    {5019, "Restore Down"},
    {5020, "Minimize"},
    {5021, "Maximize"},
};

}  // namespace

const char* LoadString(int id) {
  for (const StringEntry& entry : kStrings) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}

}  // namespace kov

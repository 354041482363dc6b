#include "app/logic/PageStatements.h"

#include "base/TextEscape.h"
#include "pages/DecodedPictures.h"
#include "pages/FolderBackground.h"
#include "pages/PageText.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"

namespace kov {

namespace {

std::string Call(const char* function, const std::string& argument) {
  return std::string(function) + "(" + JsStringLiteral(argument) + ");";
}
}  // namespace

std::string FileUrl(const std::string& path) { return FileUrlOf(path); }

std::string SetInfoStatement(const std::string& html) { return Call("setInfo", html); }
std::string ClearInfoStatement() { return SetInfoStatement("&nbsp;"); }
std::string SetSoundStatement(const std::string& url) { return Call("setSnd", url); }
std::string SetBackgroundStatement(const std::string& url) { return Call("setBgImg", url); }

// Without autoplay a new source stays silent, so the music stays off across folders.
std::string MuteStatement(bool muted) {
  return muted ? "bgsd.autoplay=false;bgsd.muted=true;bgsd.pause();"
               : "bgsd.autoplay=true;bgsd.muted=false;bgsd.play().catch(function(){});";
}

std::string PictureViewStatement(int command) {
  switch (command) {
    case kCmdZoomIn: return "kovZoom(1);";
    case kCmdZoomOut: return "kovZoom(-1);";
    case kCmdZoomToFit: return "kovFit();";
    case kCmdZoomToActualSize: return "kovActualSize();";
    case kCmdRotateLeft: return "kovRotate(-1);";
    case kCmdRotateRight: return "kovRotate(1);";
    default: return "";
  }
}

// The text's one %s is replaced by hand: a folder's name has no length limit.
std::string NoImagesStatement(const std::string& folder) {
  const char* format = LoadString(StringId::kNoPicturesInFolder);
  std::string text = format != nullptr ? format : "%s";
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, HtmlEscape(DisplayName(folder)));
  return SetInfoStatement(text);
}

std::string FolderBackgroundStatement(const std::string& folder) {
  std::string picture;
  if (!folder.empty() && FindFolderBackgroundFile(folder, &picture, true))
    return SetBackgroundStatement(ViewPictureUrlOf(picture));
  return SetBackgroundStatement(kBuiltInPictureUrl);
}

std::string CFolderMusic::StatementFor(const std::string& folder) {
  if (folder == lastFolder_) return "";
  lastFolder_ = folder;
  std::string music;
  if (!folder.empty() && FindFolderBackgroundFile(folder, &music, false))
    return SetSoundStatement(FileUrl(music));
  return SetSoundStatement(builtInMusicUrl_);
}

}  // namespace kov

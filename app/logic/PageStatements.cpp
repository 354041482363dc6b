#include "app/logic/PageStatements.h"

#include "base/TextEscape.h"
#include "pages/FolderBackground.h"
#include "pages/PageText.h"

namespace kov {

const char kBuiltInPictureUrl[] = "kovp://bin/152.gif";

namespace {
const char kNoImagesFormatStart[] = "<h3>There are no any image files in the current folder.</h3><p>";
const char kNoImagesFormatEnd[] = "</p>";

std::string Call(const char* function, const std::string& argument) {
  return std::string(function) + "(" + JsStringLiteral(argument) + ");";
}
}  // namespace

std::string FileUrl(const std::string& path) { return FileUrlOf(path); }

std::string SetInfoStatement(const std::string& html) { return Call("setInfo", html); }
std::string ClearInfoStatement() { return SetInfoStatement("&nbsp;"); }
std::string SetSoundStatement(const std::string& url) { return Call("setSnd", url); }
std::string SetBackgroundStatement(const std::string& url) { return Call("setBgImg", url); }

std::string NoImagesStatement(const std::string& folder) {
  return SetInfoStatement(kNoImagesFormatStart + HtmlEscape(DisplayName(folder)) + kNoImagesFormatEnd);
}

std::string FolderBackgroundStatement(const std::string& folder) {
  std::string picture;
  if (!folder.empty() && FindFolderBackgroundFile(folder, &picture, true))
    return SetBackgroundStatement(PictureUrlOf(picture));
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

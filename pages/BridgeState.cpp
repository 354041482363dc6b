#include "pages/BridgeState.h"

#include <utility>

namespace kov {

namespace {
std::string g_clickedImagePath;
int g_thumbnailCount = 0;
std::function<std::string()> g_folderSource;
}  // namespace

const std::string& ClickedImagePath() { return g_clickedImagePath; }
void SetClickedImagePath(const std::string& path) { g_clickedImagePath = path; }

int ThumbnailCount() { return g_thumbnailCount; }
void SetThumbnailCount(int count) { g_thumbnailCount = count; }

std::string CurrentImageFolder() { return g_folderSource ? g_folderSource() : std::string(); }
void SetCurrentImageFolderSource(std::function<std::string()> source) {
  g_folderSource = std::move(source);
}

}  // namespace kov

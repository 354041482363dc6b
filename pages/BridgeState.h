#pragma once
// Process-wide values the script bridge leaves for the toolbar, which reads them when
// the posted command arrives: the picture to show and the thumbnail count. Also the
// source of the folder the thumbnail list shows, installed by the main window.
#include <functional>
#include <string>

namespace kov {

const std::string& ClickedImagePath();
void SetClickedImagePath(const std::string& path);

int ThumbnailCount();  // 0 until the first report
void SetThumbnailCount(int count);

// "" until a source is installed.
std::string CurrentImageFolder();
void SetCurrentImageFolderSource(std::function<std::string()> source);

}  // namespace kov

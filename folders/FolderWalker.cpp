#include "folders/FolderWalker.h"

#include "base/NameOrder.h"
#include "folders/FolderListing.h"

namespace kov {

bool CFolderWalker::EnterFolder(size_t index) {
  images_ = ListFolderImages(folders_[index]);
  imageIndex_ = -1;
  return !images_.empty();
}

void CFolderWalker::DropFolder(size_t index) { folders_.erase(folders_.begin() + index); }

void CFolderWalker::Open(const std::string& path) {
  root_ = path;
  folders_ = ListFolderTree(path);
  images_.clear();
  folderIndex_ = -1;
  imageIndex_ = -1;
  while (!folders_.empty()) {
    if (EnterFolder(0)) {
      folderIndex_ = 0;
      return;
    }
    DropFolder(0);
  }
}

// Each pass either returns or drops every folder from the start position to the end;
// the second pass begins at the first folder, so a third never runs.
std::string CFolderWalker::NextImage() {
  for (;;) {
    imageIndex_ = imageIndex_ < 0 ? 0 : imageIndex_ + 1;
    if (imageIndex_ < ImageCount()) return images_[imageIndex_];
    if (folders_.empty()) return "";
    ++folderIndex_;
    if (folderIndex_ < 0 || folderIndex_ >= FolderCount()) folderIndex_ = 0;
    while (folderIndex_ < FolderCount()) {
      if (EnterFolder(folderIndex_)) {
        imageIndex_ = 0;
        return images_[0];
      }
      DropFolder(folderIndex_);
    }
  }
}

std::string CFolderWalker::PreviousImage() {
  for (;;) {
    imageIndex_ = imageIndex_ < 0 ? -1 : imageIndex_ - 1;
    if (imageIndex_ >= 0 && imageIndex_ < ImageCount()) return images_[imageIndex_];
    if (folders_.empty()) return "";
    --folderIndex_;
    if (folderIndex_ < 0 || folderIndex_ >= FolderCount()) folderIndex_ = FolderCount() - 1;
    while (folderIndex_ >= 0) {
      if (EnterFolder(folderIndex_)) {
        imageIndex_ = ImageCount() - 1;
        return images_[imageIndex_];
      }
      DropFolder(folderIndex_);
      --folderIndex_;
    }
  }
}

bool CFolderWalker::NextFolder() {
  while (!folders_.empty()) {
    ++folderIndex_;
    if (folderIndex_ < 0 || folderIndex_ >= FolderCount()) folderIndex_ = 0;
    while (folderIndex_ < FolderCount()) {
      if (EnterFolder(folderIndex_)) {
        imageIndex_ = 0;
        return true;
      }
      DropFolder(folderIndex_);
    }
  }
  return false;
}

bool CFolderWalker::PreviousFolder() {
  while (!folders_.empty()) {
    --folderIndex_;
    if (folderIndex_ < 0 || folderIndex_ >= FolderCount()) folderIndex_ = FolderCount() - 1;
    while (folderIndex_ >= 0) {
      if (EnterFolder(folderIndex_)) {
        imageIndex_ = ImageCount() - 1;
        return true;
      }
      DropFolder(folderIndex_);
      --folderIndex_;
    }
  }
  return false;
}

std::string CFolderWalker::CurrentFolder() const {
  return folderIndex_ >= 0 && folderIndex_ < FolderCount() ? folders_[folderIndex_] : root_;
}

std::string CFolderWalker::SelectImage(const std::string& path) {
  if (path.empty()) return "";
  int caseMatch = -1;
  int caseMatches = 0;
  for (int i = 0; i < ImageCount(); ++i) {
    if (images_[i] == path) {
      imageIndex_ = i;
      return images_[i];
    }
    if (EqualsIgnoringCase(images_[i], path)) {
      caseMatch = i;
      ++caseMatches;
    }
  }
  if (caseMatches != 1) return "";
  imageIndex_ = caseMatch;
  return images_[caseMatch];
}

void CFolderWalker::RereadCurrentFolder() {
  if (folderIndex_ < 0 || folderIndex_ >= FolderCount()) return;
  const bool atPicture = imageIndex_ >= 0 && imageIndex_ < ImageCount();
  const std::string current = atPicture ? images_[imageIndex_] : "";
  images_ = ListFolderImages(folders_[folderIndex_]);
  if (!atPicture) {
    imageIndex_ = -1;
    return;
  }
  int before = 0;  // the pictures that sort before the current one
  for (const std::string& image : images_) {
    if (image == current) break;
    if (NameLess(image, current)) ++before;
  }
  const bool kept = before < ImageCount() && images_[before] == current;
  imageIndex_ = kept ? before : before - 1;
}

std::string CFolderWalker::FirstImage() {
  if (ImageCount() == 0) return NextImage();
  imageIndex_ = 0;
  return images_[0];
}

std::string CFolderWalker::LastImage() {
  if (ImageCount() == 0) return PreviousImage();
  imageIndex_ = ImageCount() - 1;
  return images_[imageIndex_];
}

std::vector<std::string> CFolderWalker::AllImages() const {
  std::vector<std::string> all;
  for (const std::string& folder : folders_) {
    std::vector<std::string> images = ListFolderImages(folder);
    all.insert(all.end(), images.begin(), images.end());
  }
  return all;
}

std::string CFolderWalker::GoToImage(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  for (size_t i = 0; i < folders_.size(); ++i) {
    if (folders_[i] != folder) continue;
    std::vector<std::string> images = ListFolderImages(folder);
    for (size_t j = 0; j < images.size(); ++j) {
      if (images[j] != path) continue;
      folderIndex_ = static_cast<int>(i);
      images_ = std::move(images);
      imageIndex_ = static_cast<int>(j);
      return images_[j];
    }
    return "";
  }
  return "";
}

int CFolderWalker::PositionOf(const std::string& path, int* count) const {
  *count = ImageCount();
  for (int i = 0; i < ImageCount(); ++i)
    if (images_[i] == path) return i + 1;
  return 0;
}

}  // namespace kov

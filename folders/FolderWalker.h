#pragma once
// The walk behind "next image", "previous image", "next folder" and "previous
// folder": every folder under a root, in tree order, with the pictures of the
// current folder. Positions wrap around at both ends. Folders without pictures are
// dropped from the walk when it first reaches them. The walker shows nothing.
#include <string>
#include <vector>

namespace kov {

class CFolderWalker {
 public:
  CFolderWalker() = default;
  virtual ~CFolderWalker() = default;
  CFolderWalker(const CFolderWalker&) = default;
  CFolderWalker& operator=(const CFolderWalker&) = default;
  // A walk of thousands of pictures is handed over, not copied.
  CFolderWalker(CFolderWalker&&) = default;
  CFolderWalker& operator=(CFolderWalker&&) = default;

  // Rebuilds the walk for a new root: the folder tree is listed now, pictures only
  // as each folder is reached. Afterwards the current folder is the first one in
  // walk order that holds pictures, positioned before its first picture.
  void Open(const std::string& path);
  // The next picture, moving on to the next folder with pictures (and from the last
  // folder to the first); "" when no folder of the walk holds a picture.
  std::string NextImage();
  // The previous picture, moving back to the previous folder's last one; "" as above.
  std::string PreviousImage();
  // To the next folder that holds pictures, at its first picture; false when none is left.
  bool NextFolder();
  // To the previous folder that holds pictures, at its last picture; false when none is left.
  bool PreviousFolder();
  // The current folder, or the path given to Open when the walk holds none.
  std::string CurrentFolder() const;
  // The path given to Open, as given: the folder that was opened.
  const std::string& RootFolder() const { return root_; }
  // Makes this picture of the current folder the current one: the exact path first,
  // else the one picture that differs from it only in letter case. Returns the path
  // of the picture selected, spelt as the folder spells it (a cache made on a disc
  // mounted in another case names it otherwise); "" when none was, and the position
  // is then left as it is.
  std::string SelectImage(const std::string& path);
  // Reads the current folder's pictures again, after files were moved away or deleted:
  // at the same picture when it is still there, else just before the one that
  // followed it, so the walk and the slide show never visit a file that has gone.
  void RereadCurrentFolder();
  // The first or the last picture of the current folder, made the current one; ""
  // when the walk holds no picture.
  std::string FirstImage();
  std::string LastImage();
  // Every picture of every folder of the walk, in walk order, read afresh.
  std::vector<std::string> AllImages() const;
  // Makes the picture at path the current one, in whichever folder of the walk holds
  // it: the folder is read again, so a picture that has gone gives "" and leaves the
  // position as it was. Returns the path as the folder spells it.
  std::string GoToImage(const std::string& path);
  // Where path stands among the current folder's pictures: 1 for the first, 0 when
  // it is not one of them; count is the folder's number of pictures.
  int PositionOf(const std::string& path, int* count) const;

 private:
  // Reads the pictures of folders_[index] afresh; false when it holds none.
  bool EnterFolder(size_t index);
  void DropFolder(size_t index);
  int FolderCount() const { return static_cast<int>(folders_.size()); }
  int ImageCount() const { return static_cast<int>(images_.size()); }

  std::string root_;
  std::vector<std::string> folders_;
  int folderIndex_ = -1;
  std::vector<std::string> images_;
  int imageIndex_ = -1;  // -1: before the first picture
};

}  // namespace kov

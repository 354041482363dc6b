#pragma once
// A small driver for runs without a person in front of the screen: with
// KOV_SCREENSHOT_DIR naming a folder, the program saves the thumbnail builder's
// window while it works on a folder that needs it (thumb-builder.png), the screen once the
// first thumbnail page has been drawn (thumbnails.png), clicks that page's first
// thumbnail as a user would, saves the screen once the picture has been drawn
// (picture.png) with a close-up of the toolbar over it (toolbar-in-place.png and a 4x
// enlarged toolbar-in-place-4x.png), starts the slide show at 1 s as the '1' key does,
// saves the screen once the show's timer has brought the second picture
// (slideshow-step.png) and quits. A run that gets stuck quits after a while, with
// whatever it saved.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class CMainDlg;

class CSnapshotDriver {
 public:
  CSnapshotDriver(CMainDlg& main, std::string folder);
  ~CSnapshotDriver();
  CSnapshotDriver(const CSnapshotDriver&) = delete;
  CSnapshotDriver& operator=(const CSnapshotDriver&) = delete;

  void Start();

 private:
  void OnListPainted(const std::string& url);
  void OnPicturePainted(const std::string& url);
  void After(unsigned ms, void (CSnapshotDriver::*step)());
  void SaveBuilder(GtkWidget* window);
  void SaveListAndClick();
  void SavePictureAndStartShow();
  void SaveShowStepAndQuit();
  void Quit();
  bool SaveScreen(const std::string& name);
  bool SaveToolbar(const std::string& name);

  CMainDlg& main_;
  std::string folder_;
  bool builderSaved_ = false;
  bool listDone_ = false;
  bool pictureDone_ = false;
  bool showStarted_ = false;
  int picturesInShow_ = 0;  // pictures drawn since the show started
  unsigned watchdog_ = 0;
  unsigned pending_ = 0;
};

}  // namespace kov

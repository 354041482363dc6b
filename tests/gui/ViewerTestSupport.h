#pragma once
// A picture tree, a profile and a running viewer for the viewer's window tests: the
// main dialog driven in this process, its trace read back, input through XTest.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/QuitQuestion.h"
#include "tests/gui/GuiTestSupport.h"

namespace kov {
namespace test {

// A temporary folder removed with everything under it.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  const std::string& path() const { return path_; }
  std::string Folder(const std::string& relative) const;  // made when missing

 private:
  std::string path_;
};

// Writes a one-colour PNG and adds it to its folder's cache through kovtool (a
// 120-pixel thumbnail through thumb-gif, then cache add); false on any failure.
bool AddPictureWithThumbnail(const std::string& path, unsigned rgb, int width = 160, int height = 120);

// The quit question, answered by the test.
class CAnsweredQuitQuestion : public IQuitQuestion {
 public:
  bool AskToQuit(GtkWindow*) override {
    ++asked;
    return answer;
  }
  int asked = 0;
  bool answer = false;
};

// The viewer on a picture root, with settings kept in memory and a trace file.
class ViewerRun {
 public:
  // startFolder and startPicture: as a command line names them ("" for none).
  explicit ViewerRun(const std::string& pictures, const std::string& startFolder = "",
                     const std::string& startPicture = "");
  ~ViewerRun();

  CMainDlg& main() { return *main_; }
  bool ended() const { return ended_; }
  std::map<std::string, std::string>& settings() { return *settings_; }

  // The trace lines so far, without their time stamps.
  std::vector<std::string> Trace() const;
  int CountTrace(const std::string& prefix) const;
  bool WaitForTrace(const std::string& prefix, int count = 1, int timeoutMs = kEventLimitMs) const;
  // The lines of one command run, by its name, whatever data it carried: kCmdWheel
  // counts neither kCmdWheelNextPicture nor kCmdWheelPreviousPicture.
  int CountCommand(int id) const;
  bool WaitForCommand(int id, int count = 1, int timeoutMs = kEventLimitMs) const;
  // Every command posted so far has run: a marker posted after them has come through
  // the queue. What a key, click or tick did, or did not do, can then be checked.
  bool DrainCommands();
  // Keys reach the command table only with the toolbar up and the viewer's window
  // active: under a window manager the first page can be drawn, or a dialog end,
  // before the focus comes (back) to the viewer, and a key pressed then is lost.
  bool WaitUntilKeysReachViewer();

 private:
  TempTree scratch_;
  std::string traceFile_;
  std::shared_ptr<std::map<std::string, std::string>> settings_;
  std::unique_ptr<CMainDlg> main_;
  bool ended_ = false;
};

// The screen centre of the first picture of a pane's page; false when there is none.
bool FirstPictureCentre(CBrowserPane* pane, int* x, int* y);
// Waits until the layer's window stands where the record now places it: a layer just
// shown or moved gets there with a later frame.
bool WaitUntilLayerInPlace(GtkWidget* layer);
// The screen centre of widget, a child of layer, once the layer is in place.
bool CentreInLayer(GtkWidget* layer, GtkWidget* widget, int* x, int* y);
// The screen centre of a toolbar button, once the toolbar is drawn where it now is.
bool ButtonCentre(CToolbarDlg& toolbar, int id, int* x, int* y);
// Clicks an enabled toolbar button once the pointer over it has made it hover: a
// toolbar shown again after a dialog is stacked over the pages with a later frame,
// and a click before then reaches the page under it.
bool ClickToolbarButton(CToolbarDlg& toolbar, int id);

}  // namespace test
}  // namespace kov

#pragma once
// The commands of the picture view and the viewer's two switches: step keys that
// keep the direction, first and last picture, zoom and turn (run by the picture
// page's own script), the caption line, the key help on the information pane, and
// the music on or off. The caption and music switches are kept in the settings.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CrossFade.h"
#include "app/PaneDlg.h"
#include "app/logic/ShuffledOrder.h"
#include "app/logic/ViewDecisions.h"
#include "folders/FolderWalker.h"
#include "folders/UserFolders.h"
#include "platform/CommandQueue.h"

namespace kov {

struct ViewingPanes {
  CPaneDlg& image;
  CPaneDlg& list;
  CPaneDlg& info;
};

struct ViewingHost {
  std::function<void(const std::string& path)> showImage;
  std::function<void()> showNext, showPrevious, stopSlideShow;
  std::function<bool()> slideShowRunning;
  std::function<FrontPane()> frontPane;
  CommandTarget target = 0;  // where the step commands of answered page questions go
};

class CViewingCommands {
 public:
  CViewingCommands(ViewingPanes panes, CFolderWalker& walker, SettingAccess settings, ViewingHost host);

  // Reads the switches and gives the music its state; once, with the panes made.
  void Start();
  // Runs one of its commands; false for any other id.
  bool Run(int id);
  // A picture page was asked for: its caption follows once it has loaded.
  void OnPictureShown(const std::string& path, const std::string& url);
  // Escape: closes the key help when it is in front; false when it was not shown.
  bool CloseKeyHelp();
  // The slide show is about to step: the picture shown stays over the pane, to fade
  // out once the next one is painted.
  void BeforeShowStep();
  CCrossFade& crossFade() { return fade_; }
  // A show in random order begins: every picture of the walk, dealt in a new order.
  void DealWalk();
  // The next picture of that order, in whichever folder it is; pictures that have
  // gone since the deal are passed over.
  void ShowShuffledPicture();

 private:
  bool Switch(const char* name) const;
  void SetSwitch(const char* name, bool on);
  std::string CaptionStatementFor(const std::string& path) const;
  // Asks the picture page a yes-or-no question; on the answer wanted, posts command.
  void AskPageThenPost(const std::string& question, bool stepWhenTrue, int command);
  void ShowKeyHelp();
  void OnPicturePainted(const std::string& url);

  ViewingPanes panes_;
  CFolderWalker& walker_;
  SettingAccess settings_;
  ViewingHost host_;
  bool captionShown_ = false;
  bool muted_ = false;
  std::string shownPicture_;
  bool fadeOn_ = true;
  CCrossFade fade_;
  std::vector<std::string> dealt_;
  std::unique_ptr<CShuffledOrder> order_;
  bool helpShown_ = false;
  FrontPane beforeHelp_ = FrontPane::kThumbnails;
};

}  // namespace kov

#include "app/ViewingCommands.h"

#include <random>

#include "app/logic/Caption.h"
#include "app/logic/KeyHelp.h"
#include "app/logic/PageStatements.h"
#include "folders/Settings.h"
#include "formats/PictureFacts.h"
#include "res/CommandIds.h"

namespace kov {

CViewingCommands::CViewingCommands(ViewingPanes panes, CFolderWalker& walker, SettingAccess settings,
                                   ViewingHost host)
    : panes_(panes), walker_(walker), settings_(std::move(settings)), host_(std::move(host)) {}

bool CViewingCommands::Switch(const char* name) const {
  std::string value;
  return settings_.get && settings_.get(name, &value) && value == "1";
}

void CViewingCommands::SetSwitch(const char* name, bool on) {
  if (settings_.set) settings_.set(name, on ? "1" : "0");
}

void CViewingCommands::Start() {
  captionShown_ = Switch(kCaptionSetting);
  muted_ = Switch(kMuteSetting);
  if (muted_) panes_.info.RunScript(MuteStatement(true));
  std::string fade;
  fadeOn_ = !(settings_.get && settings_.get(kCrossFadeSetting, &fade) && fade == "0");  // on unless "0"
  fade_.Attach(panes_.image);
  panes_.image.page().SetPaintWatcher([this](const std::string& url) { OnPicturePainted(url); });
}

void CViewingCommands::OnPicturePainted(const std::string& url) {
  if (url.compare(0, 13, "kovp://image/") != 0) return;
  fade_.OnNextPainted();
  // The snapshot for the next step is taken only while a show runs.
  if (fadeOn_ && host_.slideShowRunning()) fade_.Keep();
}

void CViewingCommands::BeforeShowStep() {
  if (fadeOn_) fade_.Cover();
}

void CViewingCommands::DealWalk() {
  dealt_ = walker_.AllImages();
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  order_ = std::make_unique<CShuffledOrder>(dealt_.size(), [engine](size_t bound) {
    return std::uniform_int_distribution<size_t>(0, bound - 1)(*engine);
  });
}

void CViewingCommands::ShowShuffledPicture() {
  if (!order_) DealWalk();
  for (size_t tries = 0; tries < dealt_.size(); ++tries) {
    std::string path = walker_.GoToImage(dealt_[order_->Next()]);
    if (!path.empty()) {
      host_.showImage(path);
      return;
    }
  }
  // Every dealt picture has gone: the walk's own step finds what is left, or says none is.
  host_.showNext();
}

bool CViewingCommands::Run(int id) {
  std::string statement = PictureViewStatement(id);
  if (!statement.empty()) {
    panes_.image.RunScript(statement);
    return true;
  }
  switch (id) {
    case kCmdShowNextPicture: host_.showNext(); return true;
    case kCmdShowPreviousPicture: host_.showPrevious(); return true;
    // A zoomed picture pans; one with nothing to pan steps.
    case kCmdPanOrNextPicture: AskPageThenPost("kovPan(1)", false, kCmdShowNextPicture); return true;
    case kCmdPanOrPreviousPicture: AskPageThenPost("kovPan(-1)", false, kCmdShowPreviousPicture); return true;
    // The wheel scrolls a picture larger than the screen by itself; one that fits steps.
    case kCmdWheelNextPicture: AskPageThenPost("kovFitsScreen()", true, kCmdShowNextPicture); return true;
    case kCmdWheelPreviousPicture: AskPageThenPost("kovFitsScreen()", true, kCmdShowPreviousPicture); return true;
    case kCmdFirstPicture:
    case kCmdLastPicture: {
      std::string path = id == kCmdFirstPicture ? walker_.FirstImage() : walker_.LastImage();
      if (!path.empty()) host_.showImage(path);
      return true;
    }
    case kCmdToggleCaption:
      captionShown_ = !captionShown_;
      SetSwitch(kCaptionSetting, captionShown_);
      if (!shownPicture_.empty()) panes_.image.RunScript(CaptionStatementFor(shownPicture_));
      return true;
    case kCmdToggleMute:
      muted_ = !muted_;
      SetSwitch(kMuteSetting, muted_);
      panes_.info.RunScript(MuteStatement(muted_));
      if (captionShown_ && !shownPicture_.empty()) panes_.image.RunScript(CaptionStatementFor(shownPicture_));
      return true;
    case kCmdToggleCrossFade:
      fadeOn_ = !fadeOn_;
      SetSwitch(kCrossFadeSetting, fadeOn_);
      // Off: a fade under way ends and no snapshot waits. On during a show: the
      // picture now shown is kept, so the next step already fades.
      if (!fadeOn_) fade_.Forget();
      if (fadeOn_ && host_.slideShowRunning()) fade_.Keep();
      if (captionShown_ && !shownPicture_.empty()) panes_.image.RunScript(CaptionStatementFor(shownPicture_));
      return true;
    case kCmdKeyHelp: ShowKeyHelp(); return true;
    default: return false;
  }
}

void CViewingCommands::AskPageThenPost(const std::string& question, bool stepWhenTrue, int command) {
  CommandTarget target = host_.target;
  panes_.image.page().ReadScriptJson(question, [target, stepWhenTrue, command](bool ok, const std::string& json) {
    // A page without the view script (still loading) has nothing to pan: the key steps.
    bool yes = ok && json == "true";
    if (stepWhenTrue ? yes : !yes) PostCommand(target, command);
  });
}

std::string CViewingCommands::CaptionStatementFor(const std::string& path) const {
  if (!captionShown_) return CaptionStatement("", false);
  CaptionPlace place;
  place.position = walker_.PositionOf(path, &place.count);
  return CaptionStatement(CaptionText(path, place, ReadPictureFacts(path), {muted_, !fadeOn_}), true);
}

void CViewingCommands::OnPictureShown(const std::string& path, const std::string& url) {
  shownPicture_ = path;
  helpShown_ = false;
  if (captionShown_) panes_.image.page().RunAfterLoadOf(url, CaptionStatementFor(path));
}

void CViewingCommands::ShowKeyHelp() {
  host_.stopSlideShow();
  FrontPane front = host_.frontPane();
  if (!helpShown_ || front != FrontPane::kInfo) beforeHelp_ = front;
  helpShown_ = true;
  panes_.info.Activate();
  panes_.info.RunScript(SetInfoStatement(KeyHelpHtml()));
}

bool CViewingCommands::CloseKeyHelp() {
  if (!helpShown_ || host_.frontPane() != FrontPane::kInfo) return false;
  helpShown_ = false;
  panes_.info.RunScript(ClearInfoStatement());
  if (beforeHelp_ == FrontPane::kImage) panes_.image.Activate();
  if (beforeHelp_ == FrontPane::kThumbnails) panes_.list.Activate();
  return true;
}

}  // namespace kov

#include "app/logic/SlideShow.h"

#include "res/CommandIds.h"

namespace kov {

std::optional<int> IntervalOfCommand(int command) {
  switch (command) {
    case kCmdInterval1: return 1;
    case kCmdInterval2: return 2;
    case kCmdInterval3: return 3;
    case kCmdInterval10: return 10;
    case kCmdInterval15: return 15;
    case kCmdInterval20: return 20;
    default: break;
  }
  if (command >= kCmdInterval1 && command <= kCmdInterval20) return 5;
  return std::nullopt;
}

void CSlideShow::KillTimer() {
  if (timerId_ != 0) timer_.Kill(timerId_);
  timerId_ = 0;
  view_.SetButtonBitmap(kBtnSlideShow, BitmapId::kPlay);
}

void CSlideShow::Stop() {
  KillTimer();
  shuffled_ = false;
}

void CSlideShow::Toggle() {
  if (IsRunning()) {
    Stop();
    return;
  }
  Start(false);
}

void CSlideShow::ToggleShuffled() {
  const bool wasShuffled = IsRunning() && shuffled_;
  Stop();
  if (!wasShuffled) Start(true);
}

// A show that goes on in random order keeps its deal: a new speed is no new round.
void CSlideShow::Start(bool shuffled) {
  if (shuffled && !shuffled_) view_.BeginShuffledShow();
  shuffled_ = shuffled;
  view_.SetButtonBitmap(kBtnSlideShow, BitmapId::kPause);
  // A timer that cannot be started leaves the id 0: this step is still taken, no
  // tick follows, and the next toggle tries again.
  timerId_ = timer_.Start(static_cast<unsigned>(intervalSeconds_) * 1000u);
  StepInCurrentDirection();
  if (!IsRunning()) shuffled_ = false;  // Return then walks in order again
}

bool CSlideShow::SetIntervalCommand(int command) {
  std::optional<int> seconds = IntervalOfCommand(command);
  if (!seconds) return false;
  if (IsRunning() && *seconds == intervalSeconds_) return true;
  const bool shuffled = IsRunning() && shuffled_;
  KillTimer();
  shuffled_ = shuffled;
  intervalSeconds_ = *seconds;
  Start(shuffled);
  return true;
}

bool CSlideShow::Tick(unsigned timerId) {
  if (timerId == 0 || timerId != timerId_) return false;
  StepInCurrentDirection();
  return true;
}

void CSlideShow::StepInCurrentDirection() {
  if (shuffled_)
    view_.ShowShuffledImage();
  else if (direction_ == SlideDirection::kBackward)
    view_.ShowPreviousImage();
  else
    view_.ShowNextImage();
}

void CSlideShow::SetDirection(SlideDirection direction) {
  direction_ = direction;
  bool backward = direction == SlideDirection::kBackward;
  view_.SetButtonBitmap(kBtnPrevious,
                        backward ? BitmapId::kPreviousBackward : BitmapId::kPreviousForward);
  view_.SetButtonBitmap(kBtnNext, backward ? BitmapId::kNextBackward : BitmapId::kNextForward);
}

void CSlideShow::Backward() {
  SetDirection(SlideDirection::kBackward);
  view_.ShowPreviousImage();
}

void CSlideShow::Forward() {
  SetDirection(SlideDirection::kForward);
  view_.ShowNextImage();
}

void CSlideShow::Reverse() {
  SetDirection(direction_ == SlideDirection::kForward ? SlideDirection::kBackward
                                                      : SlideDirection::kForward);
}

}  // namespace kov

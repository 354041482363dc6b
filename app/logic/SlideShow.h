#pragma once
// The slide show of the toolbar: a timer that steps through the pictures of the
// opened tree, its interval, and the direction that the manual previous / next
// commands share with it. The window supplies the timer and the view; this class
// only decides.
#include <optional>

#include "res/ResourceIds.h"

namespace kov {

enum class SlideDirection { kForward = 0, kBackward = 1 };

constexpr int kSlideShowStartInterval = 5;  // seconds

// A periodic timer on the toolbar window. Start returns the timer's id, 0 when it
// could not be started.
class ISlideShowTimer {
 public:
  virtual ~ISlideShowTimer() = default;
  virtual unsigned Start(unsigned periodMs) = 0;
  virtual void Kill(unsigned id) = 0;
};

// What the show does to the windows. SetButtonBitmap also redraws the button.
class ISlideShowView {
 public:
  virtual ~ISlideShowView() = default;
  virtual void ShowNextImage() = 0;
  virtual void ShowPreviousImage() = 0;
  // A show in random order begins: the walk's pictures are dealt afresh.
  virtual void BeginShuffledShow() = 0;
  // The next picture of a show in random order, anywhere in the walk.
  virtual void ShowShuffledImage() = 0;
  // kBtnSlideShow shows kPlay while stopped and kPause while running; kBtnPrevious and
  // kBtnNext show the strong arrow of the direction the pictures go.
  virtual void SetButtonBitmap(int buttonId, BitmapId bitmapId) = 0;
};

// Seconds of an interval command (kCmdInterval1..kCmdInterval20; any other id of the
// range gives 5), nothing for an id outside the range.
std::optional<int> IntervalOfCommand(int command);

class CSlideShow {
 public:
  CSlideShow(ISlideShowTimer& timer, ISlideShowView& view) : timer_(timer), view_(view) {}
  CSlideShow(const CSlideShow&) = delete;
  CSlideShow& operator=(const CSlideShow&) = delete;

  // Space, kBtnSlideShow: start (stepping at once) when stopped, stop when running.
  void Toggle();
  // Shift+Space: starts a show in random order, stepping at once (a show in walk
  // order turns random); stops a show that is random already.
  void ToggleShuffled();
  // Stops the show; kBtnSlideShow shows the play bitmap even when nothing ran.
  void Stop();
  // kCmdInterval1..kCmdInterval20: a new interval (re)starts the show, in the order it
  // had; the running interval does nothing. false for a command outside the range.
  bool SetIntervalCommand(int command);
  // A timer tick; false when the id is not the show's (default handling).
  bool Tick(unsigned timerId);
  // Return, and the count report of the thumbnail list; the next random picture
  // while a show in random order runs.
  void StepInCurrentDirection();
  void Backward();  // kBtnPrevious, kCmdBackward
  void Forward();   // kBtnNext, kCmdForward
  void Reverse();   // Delete: flips the direction without moving

  bool IsRunning() const { return timerId_ != 0; }
  bool IsShuffled() const { return shuffled_; }
  unsigned TimerId() const { return timerId_; }
  int IntervalSeconds() const { return intervalSeconds_; }
  SlideDirection Direction() const { return direction_; }

 private:
  void SetDirection(SlideDirection direction);
  void Start(bool shuffled);
  void KillTimer();

  ISlideShowTimer& timer_;
  ISlideShowView& view_;
  unsigned timerId_ = 0;  // 0 while stopped
  int intervalSeconds_ = kSlideShowStartInterval;
  SlideDirection direction_ = SlideDirection::kForward;
  bool shuffled_ = false;  // a show in random order; false whenever stopped
};

}  // namespace kov

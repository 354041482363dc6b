#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/logic/SlideShow.h"
#include "res/CommandIds.h"

using namespace kov;

namespace {

// Hands out ids 1, 2, 3... or 0 while failing; remembers what runs.
struct FakeTimer : ISlideShowTimer {
  bool fail = false;
  unsigned nextId = 1;
  std::map<unsigned, unsigned> running;  // id -> period
  unsigned Start(unsigned periodMs) override {
    if (fail) return 0;
    running[nextId] = periodMs;
    return nextId++;
  }
  void Kill(unsigned id) override { running.erase(id); }
};

// Records steps as "N" / "P", a random step as "S" and a new deal as "*", and the
// latest bitmap of each button.
struct FakeView : ISlideShowView {
  std::string steps;
  std::map<int, BitmapId> bitmaps;
  void ShowNextImage() override { steps += 'N'; }
  void ShowPreviousImage() override { steps += 'P'; }
  void BeginShuffledShow() override { steps += '*'; }
  void ShowShuffledImage() override { steps += 'S'; }
  void SetButtonBitmap(int button, BitmapId bitmap) override { bitmaps[button] = bitmap; }
};

struct SlideShowFixture : ::testing::Test {
  FakeTimer timer;
  FakeView view;
  CSlideShow show{timer, view};
};

}  // namespace

TEST(SlideShowIntervals, CommandsMapToSeconds) {
  EXPECT_EQ(IntervalOfCommand(kCmdInterval1), 1);
  EXPECT_EQ(IntervalOfCommand(kCmdInterval3), 3);
  EXPECT_EQ(IntervalOfCommand(kCmdInterval5), 5);
  EXPECT_EQ(IntervalOfCommand(kCmdInterval10), 10);
  EXPECT_EQ(IntervalOfCommand(kCmdInterval20), 20);
  EXPECT_FALSE(IntervalOfCommand(kCmdInterval1 - 1));
  EXPECT_FALSE(IntervalOfCommand(kCmdInterval20 + 1));
}

TEST_F(SlideShowFixture, ToggleStartsWithOneStepAndStopsAgain) {
  show.Toggle();
  EXPECT_TRUE(show.IsRunning());
  EXPECT_EQ(view.steps, "N");  // the first picture changes at once
  EXPECT_EQ(view.bitmaps[kBtnSlideShow], BitmapId::kPause);
  ASSERT_EQ(timer.running.size(), 1u);
  EXPECT_EQ(timer.running.begin()->second, 5000u);

  unsigned id = show.TimerId();
  EXPECT_TRUE(show.Tick(id));
  EXPECT_FALSE(show.Tick(id + 100));  // another timer's tick is not a step
  EXPECT_EQ(view.steps, "NN");

  show.Toggle();
  EXPECT_FALSE(show.IsRunning());
  EXPECT_TRUE(timer.running.empty());
  EXPECT_EQ(view.bitmaps[kBtnSlideShow], BitmapId::kPlay);
  EXPECT_FALSE(show.Tick(id));  // a late tick of the killed timer does nothing
  EXPECT_EQ(view.steps, "NN");
}

TEST_F(SlideShowFixture, SpeedKeys) {
  // 5 while stopped starts at 5 s and steps at once.
  EXPECT_TRUE(show.SetIntervalCommand(kCmdInterval5));
  EXPECT_TRUE(show.IsRunning());
  EXPECT_EQ(view.steps, "N");
  unsigned id = show.TimerId();

  // 5 at 5 changes nothing: same timer, no extra picture.
  EXPECT_TRUE(show.SetIntervalCommand(kCmdInterval5));
  EXPECT_EQ(show.TimerId(), id);
  EXPECT_EQ(view.steps, "N");

  // Another speed restarts the timer with the new period and steps once.
  EXPECT_TRUE(show.SetIntervalCommand(kCmdInterval2));
  EXPECT_EQ(show.IntervalSeconds(), 2);
  EXPECT_EQ(view.steps, "NN");
  ASSERT_EQ(timer.running.size(), 1u);
  EXPECT_EQ(timer.running.begin()->second, 2000u);
  EXPECT_NE(show.TimerId(), id);

  // The same speed as the stored one but with the show stopped starts it.
  show.Stop();
  EXPECT_TRUE(show.SetIntervalCommand(kCmdInterval2));
  EXPECT_TRUE(show.IsRunning());
  EXPECT_EQ(view.steps, "NNN");

  EXPECT_FALSE(show.SetIntervalCommand(kCmdStopSlideShow));
  EXPECT_TRUE(show.IsRunning());
}

TEST_F(SlideShowFixture, PreviousDuringShowTurnsItAround) {
  show.Toggle();
  show.Backward();
  EXPECT_TRUE(show.IsRunning());  // direction commands never stop the show
  EXPECT_EQ(view.steps, "NP");
  EXPECT_EQ(view.bitmaps[kBtnPrevious], BitmapId::kPreviousBackward);
  EXPECT_EQ(view.bitmaps[kBtnNext], BitmapId::kNextBackward);
  show.Tick(show.TimerId());
  show.Tick(show.TimerId());
  EXPECT_EQ(view.steps, "NPPP");

  show.Forward();
  EXPECT_EQ(view.bitmaps[kBtnPrevious], BitmapId::kPreviousForward);
  EXPECT_EQ(view.bitmaps[kBtnNext], BitmapId::kNextForward);
  show.Tick(show.TimerId());
  EXPECT_EQ(view.steps, "NPPPNN");
}

TEST_F(SlideShowFixture, DeleteOnlyReversesAndReturnFollows) {
  show.Reverse();
  EXPECT_EQ(view.steps, "");
  EXPECT_EQ(show.Direction(), SlideDirection::kBackward);
  EXPECT_EQ(view.bitmaps[kBtnNext], BitmapId::kNextBackward);
  EXPECT_FALSE(show.IsRunning());
  show.StepInCurrentDirection();
  EXPECT_EQ(view.steps, "P");
  show.Reverse();
  EXPECT_EQ(view.bitmaps[kBtnPrevious], BitmapId::kPreviousForward);
  show.StepInCurrentDirection();
  EXPECT_EQ(view.steps, "PN");
}

TEST_F(SlideShowFixture, FailedTimerStepsOnceAndNextToggleStartsAgain) {
  timer.fail = true;
  show.Toggle();
  EXPECT_EQ(view.steps, "N");
  EXPECT_FALSE(show.IsRunning());
  EXPECT_EQ(view.bitmaps[kBtnSlideShow], BitmapId::kPause);  // keeps the running look
  EXPECT_FALSE(show.Tick(0));                          // id 0 is never a tick

  timer.fail = false;
  show.Toggle();  // starts, does not "stop" the show that never ran
  EXPECT_TRUE(show.IsRunning());
  EXPECT_EQ(view.steps, "NN");
}

TEST_F(SlideShowFixture, StopShowsPlayBitmapEvenWhenNotRunning) {
  view.bitmaps[kBtnSlideShow] = BitmapId::kPause;
  show.Stop();
  EXPECT_EQ(view.bitmaps[kBtnSlideShow], BitmapId::kPlay);
  EXPECT_TRUE(timer.running.empty());
  EXPECT_EQ(view.steps, "");
}

// Shift+Space deals the walk once and steps at random until the show stops; a new
// speed keeps the deal (a picture would otherwise repeat before all were shown).
TEST_F(SlideShowFixture, ShuffledShowKeepsItsDealUntilStopped) {
  struct Step {
    const char* what;
    std::function<void()> act;
    const char* steps;  // what the view saw so far
    bool running, shuffled;
  };
  const Step script[] = {
      {"Shift+Space deals and steps", [&] { show.ToggleShuffled(); }, "*S", true, true},
      {"a tick", [&] { show.Tick(show.TimerId()); }, "*SS", true, true},
      {"Return", [&] { show.StepInCurrentDirection(); }, "*SSS", true, true},
      {"a new speed, no new deal", [&] { show.SetIntervalCommand(kCmdInterval2); }, "*SSSS", true, true},
      {"Space stops", [&] { show.Toggle(); }, "*SSSS", false, false},
      {"Return walks in order", [&] { show.StepInCurrentDirection(); }, "*SSSSN", false, false},
      {"Space, then Shift+Space turns it random", [&] { show.Toggle(), show.ToggleShuffled(); }, "*SSSSNN*S",
       true, true},
      {"Shift+Space stops it", [&] { show.ToggleShuffled(); }, "*SSSSNN*S", false, false},
      {"a speed key starts in order", [&] { show.SetIntervalCommand(kCmdInterval3); }, "*SSSSNN*SN", true, false},
      {"Escape's stop", [&] { show.Stop(); }, "*SSSSNN*SN", false, false},
      {"a timer that fails", [&] { timer.fail = true, show.ToggleShuffled(); }, "*SSSSNN*SN*S", false, false},
      {"then Return is in order", [&] { show.StepInCurrentDirection(); }, "*SSSSNN*SN*SN", false, false},
  };
  for (const Step& step : script) {
    step.act();
    EXPECT_EQ(view.steps, step.steps) << step.what;
    EXPECT_EQ(show.IsRunning(), step.running) << step.what;
    EXPECT_EQ(show.IsShuffled(), step.shuffled) << step.what;
  }
  EXPECT_EQ(timer.running.size(), 0u);
}

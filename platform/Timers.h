#pragma once
// A window's numbered timers on the GLib main loop: Set starts (or restarts) a
// repeating timer under the window's own id, Kill stops it, and everything still
// running stops with the set. The callback gets the timer's id.
#include <functional>
#include <map>

namespace kov {

using TimerCallback = std::function<void(int timerId)>;

class TimerSet {
 public:
  explicit TimerSet(TimerCallback onTimer);
  ~TimerSet();
  TimerSet(const TimerSet&) = delete;
  TimerSet& operator=(const TimerSet&) = delete;

  // Starts timerId (non-zero) with the period; a running timer of that id restarts.
  bool Set(int timerId, unsigned periodMs);
  // false when it was not running.
  bool Kill(int timerId);
  bool IsRunning(int timerId) const;

 private:
  static int Fire(void* entry);

  TimerCallback onTimer_;
  std::map<int, unsigned> sources_;  // timer id -> GLib source id (never 0)
};

}  // namespace kov

#include <gtest/gtest.h>
#include <glib.h>

#include <string>
#include <vector>

#include "platform/CommandQueue.h"
#include "platform/Timers.h"

using namespace kov;

namespace {

void DrainQueue() {
  while (RunNextCommand()) {
  }
}

// Runs the default main context until the predicate holds or the time is up.
bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  gint64 end = g_get_monotonic_time() + timeoutMs * 1000LL;
  while (!done()) {
    if (g_get_monotonic_time() > end) return false;
    g_main_context_iteration(nullptr, FALSE);
    g_usleep(1000);
  }
  return true;
}

}  // namespace

TEST(CommandQueue, PostedCommandsRunLaterInOrderAndOnlyForLiveTargets) {
  DrainQueue();
  std::vector<std::string> log;
  CommandTarget a = RegisterCommandTarget([&](const Command& c) { log.push_back("a" + std::to_string(c.id)); });
  CommandTarget b = 0;
  b = RegisterCommandTarget([&](const Command& c) {
    log.push_back("b" + std::to_string(c.id));
    // Posted from inside a command: runs after everything already queued.
    if (c.id == 1) PostCommand(b, 9);
  });
  EXPECT_TRUE(PostCommand(a, 1));
  EXPECT_TRUE(PostCommand(b, 1));
  EXPECT_TRUE(PostCommand(a, 2));
  EXPECT_TRUE(log.empty());  // never at once
  EXPECT_EQ(PendingCommandCount(), 3u);
  DrainQueue();
  EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2", "b9"}));

  log.clear();
  PostCommand(a, 3);
  PostCommand(b, 4);
  UnregisterCommandTarget(b);  // a destroyed window's commands are dropped
  EXPECT_FALSE(PostCommand(b, 5));
  EXPECT_FALSE(PostCommand(0, 5));
  DrainQueue();
  EXPECT_EQ(log, std::vector<std::string>{"a3"});
  UnregisterCommandTarget(a);
}

TEST(CommandQueue, MainLoopDrainsTheQueueAndEachCommandKeepsItsOwnData) {
  DrainQueue();
  std::vector<std::string> seen;
  CommandTarget t = RegisterCommandTarget([&](const Command& c) {
    seen.push_back(std::to_string(c.id) + " " + c.path + " " + std::to_string(c.count));
  });
  // Two commands of one id, queued together: each arrives with what it was posted with.
  PostCommand(t, Command{32776, "/p/a.jpg", 0});
  PostCommand(t, Command{32776, "/p/b.jpg", 0});
  PostCommand(t, Command{32787, "", 12});
  PostCommand(t, 32796);
  EXPECT_TRUE(SpinUntil([&] { return seen.size() == 4; }, 2000));
  EXPECT_EQ(seen, (std::vector<std::string>{"32776 /p/a.jpg 0", "32776 /p/b.jpg 0", "32787  12", "32796  0"}));
  EXPECT_EQ(PendingCommandCount(), 0u);
  // The queue re-arms itself after running dry.
  PostCommand(t, 1);
  EXPECT_TRUE(SpinUntil([&] { return seen.size() == 5; }, 2000));
  UnregisterCommandTarget(t);
}

TEST(Timers, RepeatRestartKillAndStopWithTheirSet) {
  std::vector<int> fired;
  auto set = std::make_unique<TimerSet>([&](int id) { fired.push_back(id); });
  EXPECT_FALSE(set->Set(0, 10));  // 0 means no timer
  EXPECT_TRUE(set->Set(2001, 5));
  EXPECT_TRUE(set->IsRunning(2001));
  EXPECT_TRUE(SpinUntil([&] { return fired.size() >= 3; }, 2000));  // it repeats
  EXPECT_TRUE(set->Kill(2001));
  EXPECT_FALSE(set->Kill(2001));
  size_t count = fired.size();
  g_usleep(30000);
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  EXPECT_EQ(fired.size(), count);

  // A timer may kill itself from its own callback, and the set may go while one runs.
  int selfKills = 0;
  TimerSet* raw = nullptr;
  auto other = std::make_unique<TimerSet>([&](int id) {
    ++selfKills;
    raw->Kill(id);
  });
  raw = other.get();
  other->Set(7, 1);
  EXPECT_TRUE(SpinUntil([&] { return selfKills == 1; }, 2000));
  EXPECT_FALSE(other->IsRunning(7));

  fired.clear();
  set->Set(1, 1);
  set.reset();
  g_usleep(10000);
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  EXPECT_TRUE(fired.empty());
}

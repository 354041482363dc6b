#include "platform/Timers.h"

#include <glib.h>

#include <utility>

namespace kov {

namespace {
struct TimerEntry {
  TimerSet* owner;
  int timerId;
};
void FreeEntry(gpointer entry) { delete static_cast<TimerEntry*>(entry); }
}  // namespace

TimerSet::TimerSet(TimerCallback onTimer) : onTimer_(std::move(onTimer)) {}

TimerSet::~TimerSet() {
  for (const auto& running : sources_) g_source_remove(running.second);
}

bool TimerSet::Set(int timerId, unsigned periodMs) {
  if (timerId == 0) return false;
  Kill(timerId);
  auto* entry = new TimerEntry{this, timerId};
  guint source = g_timeout_add_full(G_PRIORITY_DEFAULT, periodMs,
                                    reinterpret_cast<GSourceFunc>(&TimerSet::Fire), entry,
                                    FreeEntry);
  sources_[timerId] = source;
  return true;
}

bool TimerSet::Kill(int timerId) {
  auto found = sources_.find(timerId);
  if (found == sources_.end()) return false;
  g_source_remove(found->second);
  sources_.erase(found);
  return true;
}

bool TimerSet::IsRunning(int timerId) const { return sources_.count(timerId) != 0; }

int TimerSet::Fire(void* data) {
  auto* entry = static_cast<TimerEntry*>(data);
  // Copies: the callback may kill this timer or destroy the whole set.
  TimerCallback callback = entry->owner->onTimer_;
  int timerId = entry->timerId;
  callback(timerId);
  return G_SOURCE_CONTINUE;  // ignored by GLib when the source was removed meanwhile
}

}  // namespace kov

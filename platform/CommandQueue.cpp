#include "platform/CommandQueue.h"

#include <glib.h>

#include <deque>
#include <map>
#include <utility>

namespace kov {

namespace {

struct PostedCommand {
  CommandTarget target;
  int commandId;
};

struct QueueState {
  std::map<CommandTarget, CommandHandler> handlers;
  std::deque<PostedCommand> fifo;
  CommandTarget nextTarget = 1;
  guint drainSource = 0;  // the idle source that drains the FIFO, 0 when none
  CommandTarget toolbar = 0;
};

QueueState& State() {
  static QueueState state;
  return state;
}

// Each dispatch runs one command and ends its own source first, scheduling a fresh
// one for the commands behind it. A command may run a modal dialog's nested loop, and
// GLib never dispatches a source again while it is still dispatching: with one
// long-lived source, everything posted inside that dialog would wait for ever.
void EnsureDrainScheduled();

gboolean DrainOne(gpointer) {
  QueueState& state = State();
  state.drainSource = 0;
  if (state.fifo.size() > 1) EnsureDrainScheduled();
  RunNextCommand();
  return G_SOURCE_REMOVE;
}

void EnsureDrainScheduled() {
  QueueState& state = State();
  if (state.drainSource != 0) return;
  state.drainSource = g_idle_add_full(G_PRIORITY_DEFAULT, DrainOne, nullptr, nullptr);
}

}  // namespace

CommandTarget RegisterCommandTarget(CommandHandler handler) {
  QueueState& state = State();
  CommandTarget target = state.nextTarget++;
  state.handlers[target] = std::move(handler);
  return target;
}

void UnregisterCommandTarget(CommandTarget target) {
  QueueState& state = State();
  state.handlers.erase(target);
  if (state.toolbar == target) state.toolbar = 0;
}

bool PostCommand(CommandTarget target, int commandId) {
  QueueState& state = State();
  if (state.handlers.count(target) == 0) return false;
  state.fifo.push_back({target, commandId});
  EnsureDrainScheduled();
  return true;
}

bool RunNextCommand() {
  QueueState& state = State();
  if (state.fifo.empty()) return false;
  PostedCommand next = state.fifo.front();
  state.fifo.pop_front();
  auto found = state.handlers.find(next.target);
  if (found == state.handlers.end()) return true;  // its window is gone
  // A copy: the handler may unregister its own target while it runs.
  CommandHandler handler = found->second;
  handler(next.commandId);
  return true;
}

size_t PendingCommandCount() { return State().fifo.size(); }

CommandTarget ToolbarTarget() { return State().toolbar; }
void SetToolbarTarget(CommandTarget target) { State().toolbar = target; }

}  // namespace kov

#include "platform/CommandQueue.h"

#include <glib.h>

#include <deque>
#include <map>
#include <utility>

namespace kov {

namespace {

struct PostedCommand {
  CommandTarget target;
  Command command;
};

struct QueueState {
  std::map<CommandTarget, CommandHandler> handlers;
  std::deque<PostedCommand> fifo;
  CommandTarget nextTarget = 1;
  guint drainSource = 0;  // the idle source that drains the FIFO, 0 when none
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
}

bool PostCommand(CommandTarget target, int commandId) {
  Command command;
  command.id = commandId;
  return PostCommand(target, std::move(command));
}

bool PostCommand(CommandTarget target, Command command) {
  QueueState& state = State();
  if (state.handlers.count(target) == 0) return false;
  state.fifo.push_back({target, std::move(command)});
  EnsureDrainScheduled();
  return true;
}

bool RunNextCommand() {
  QueueState& state = State();
  if (state.fifo.empty()) return false;
  PostedCommand next = std::move(state.fifo.front());
  state.fifo.pop_front();
  auto found = state.handlers.find(next.target);
  if (found == state.handlers.end()) return true;  // its window is gone
  // A copy: the handler may unregister its own target while it runs.
  CommandHandler handler = found->second;
  handler(next.command);
  return true;
}

size_t PendingCommandCount() { return State().fifo.size(); }

}  // namespace kov

#pragma once
// The program's posted commands: a per-process FIFO of (target window, command id),
// drained from the GLib main loop of the default context at default priority, one
// command per dispatch, so it also runs inside nested modal loops. Posting never runs
// the command at once: it runs after the current handler has returned.
//
// Targets are numbers handed out by RegisterCommandTarget. A command for a target that
// has been unregistered in the meantime is dropped, as a message to a destroyed window.
#include <cstddef>
#include <functional>

namespace kov {

using CommandTarget = unsigned;            // 0: no target
using CommandHandler = std::function<void(int commandId)>;

CommandTarget RegisterCommandTarget(CommandHandler handler);
void UnregisterCommandTarget(CommandTarget target);

// false when the target is not registered (nothing is queued).
bool PostCommand(CommandTarget target, int commandId);

// Runs the oldest queued command; false when the queue was empty. The main loop calls
// this; tests call it to drain without a loop.
bool RunNextCommand();
size_t PendingCommandCount();

// The toolbar, the command centre every window posts to (0 until it exists).
CommandTarget ToolbarTarget();
void SetToolbarTarget(CommandTarget target);

}  // namespace kov

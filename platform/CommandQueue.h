#pragma once
// The program's posted commands: a per-process FIFO of (target window, command),
// drained from the GLib main loop of the default context at default priority, one
// command per dispatch, so it also runs inside nested modal loops. Posting never runs
// the command at once: it runs after the current handler has returned.
//
// Targets are numbers handed out by RegisterCommandTarget. A command for a target that
// has been unregistered in the meantime is dropped, as a message to a destroyed window.
#include <cstddef>
#include <functional>
#include <string>

namespace kov {

// One posted command: its id and the data that travels with it, so that nothing is left
// in a global for the handler to read later. Menus, keys and buttons post bare ids.
struct Command {
  int id = 0;
  std::string path;  // a picture's path (a thumbnail clicked)
  int count = 0;     // a number reported (the thumbnails of a list)
};

using CommandTarget = unsigned;            // 0: no target
using CommandHandler = std::function<void(const Command& command)>;

CommandTarget RegisterCommandTarget(CommandHandler handler);
void UnregisterCommandTarget(CommandTarget target);

// false when the target is not registered (nothing is queued).
bool PostCommand(CommandTarget target, int commandId);
bool PostCommand(CommandTarget target, Command command);

// Runs the oldest queued command; false when the queue was empty. The main loop calls
// this; tests call it to drain without a loop.
bool RunNextCommand();
size_t PendingCommandCount();

}  // namespace kov

#pragma once
// The name of each command id as the code spells it, for the trace: a line reads
// "command kCmdEscape" rather than a number to be looked up.
#include <string>

namespace kov {

// The id's name from res/CommandIds.h; the number itself for an id without one.
std::string CommandName(int id);

}  // namespace kov

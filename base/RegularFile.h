#pragma once
// Opening a file for reading only when it is a regular file. A FIFO, a device, a
// socket or a folder named like a picture is refused at once: the open never waits
// for a writer, and nothing is read from /dev/zero or a pipe that never ends.
#include <string>

namespace kov {

// A descriptor for reading (close-on-exec, blocking reads) or -1 with a reason in
// *error (may be null): the system's, or "not a regular file".
int OpenRegularFile(const std::string& path, std::string* error);

}  // namespace kov

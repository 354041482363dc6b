#pragma once
// The engine's media framework takes the memory of its buffers from the engine's own
// allocator, which holds on to what is freed for later allocations of its own. The
// music's buffers come and go for as long as it plays, and the page process carried
// about 2 MB more that way (measured at start with the music playing). Only a
// variable of the environment leaves them to the C library's heap, so it is set
// before the engine starts its processes.
namespace kov {

// Sets that variable unless the user has set it. Call before any thread starts: the
// environment is not safe to change while other threads read it.
void KeepMediaBuffersOnTheLibraryHeap();

// The variable's name when the call above set it, else nullptr: programs started
// for the user must not inherit it.
const char* MediaBufferHeapVariableSet();

}  // namespace kov

#pragma once
// The engine's page and network processes load the same libraries as the viewer, and
// with them a speech voice whose 31000 relocations name its own symbols; the loader
// looks each one up through every library loaded before it, a third of its work at
// each process's start. Preloaded, the voice is the first library searched, and the
// engine's processes start about 25 ms of processor time sooner each.
namespace kov {

// Preloads the voice the viewer was linked with for the processes it starts, unless
// the user has set LD_PRELOAD (then nothing changes). Call before any thread starts:
// the environment is not safe to change while other threads read it.
void PreloadVoiceForEngineProcesses();

// True when the call above set LD_PRELOAD: programs started for the user must not
// inherit it.
bool EngineProcessPreloadSet();

}  // namespace kov

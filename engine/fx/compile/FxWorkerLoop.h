#pragma once
// The effect worker: translates effect texts, one request at a time, over its standard
// input and output (FxProtocol.h), until its input ends. It runs in a process of its own
// so that a compiler crash or hang on whatever the user typed ends that process, never
// the editor or the player. Returns the process's exit status.
namespace quellor {

int RunFxWorker();

}  // namespace quellor

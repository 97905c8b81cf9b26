// quellor_fxworker: the editor's effect translator process.
#include "engine/fx/compile/FxWorkerLoop.h"

int main() { return quellor::RunFxWorker(); }

#pragma once
// An orderly end when the process is told to stop. The handler only notes the
// signal; the frame loop looks at the end of each pass and then shuts down as
// the game does, so the records are saved. The game watches SIGHUP (SDL turns
// SIGINT and SIGTERM into a quit of its own); `vuzed-tool run` watches all
// three.

#include <initializer_list>

namespace vuzed {

void WatchStopSignals(std::initializer_list<int> signals);
// The signal that asked for the end, or 0.
int StopSignal();

}  // namespace vuzed

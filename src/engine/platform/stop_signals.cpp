#include "engine/platform/stop_signals.h"

#include <csignal>

namespace vuzed {
namespace {

volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void NoteStopSignal(int signal) { gStopSignal = signal; }

}  // namespace

void WatchStopSignals(std::initializer_list<int> signals) {
  struct sigaction action {};
  action.sa_handler = &NoteStopSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : signals) sigaction(signal, &action, nullptr);
}

int StopSignal() { return gStopSignal; }

}  // namespace vuzed

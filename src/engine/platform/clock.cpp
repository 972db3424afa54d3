#include "engine/platform/clock.h"

#include <SDL.h>

namespace vuzed {

SystemClock::SystemClock()
    : Start_(SDL_GetPerformanceCounter()), Frequency_(SDL_GetPerformanceFrequency()) {}

double SystemClock::Seconds() {
  return double(SDL_GetPerformanceCounter() - Start_) / double(Frequency_);
}

void SystemClock::SleepMs(int ms) { SDL_Delay(ms > 0 ? Uint32(ms) : 0); }

}  // namespace vuzed

#include "base/clock.h"

#include <SDL.h>

namespace {
ClockSource clockSource = nullptr;
}

uint32_t EngineTicks() { return clockSource != nullptr ? clockSource() : SDL_GetTicks(); }

void SetEngineClock(ClockSource source) { clockSource = source; }

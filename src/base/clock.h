// The engine's clock: every animation and timeout reads the time here, in
// milliseconds since SDL started, so that tests can set it and step
// animations exactly.
#pragma once

#include <cstdint>

using ClockSource = uint32_t (*)();

// SDL_GetTicks, or the source a test has put in its place.
uint32_t EngineTicks();

// Puts source in place of SDL's clock; null restores SDL's.
void SetEngineClock(ClockSource source);

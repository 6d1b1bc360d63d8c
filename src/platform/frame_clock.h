// The monotonic clock that paces frames, and the sleep until a deadline on it.
// On the desktop the sleep blocks the thread; in a browser it hands the page
// its turn (drawing, input, sound) until the deadline.
#pragma once

#include <cstdint>

// Nanoseconds on the monotonic clock.
int64_t MonotonicNanoseconds();

// Sleeps until deadline (nanoseconds on the same clock); a signal may cut it short.
void SleepUntilMonotonic(int64_t deadline);

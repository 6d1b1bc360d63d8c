#include "platform/frame_clock.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

int64_t MonotonicNanoseconds() {
  return static_cast<int64_t>(std::llround(emscripten_get_now() * 1'000'000.0));
}

// The loop is suspended (Asyncify) and resumed by the browser's timer; even a
// frame already late sleeps a moment, so that the page is drawn and heard.
void SleepUntilMonotonic(int64_t deadline) {
  const int64_t wait = deadline - MonotonicNanoseconds();
  emscripten_sleep(static_cast<unsigned>(std::clamp<int64_t>(wait / 1'000'000, 0, 1000)));
}

#include "platform/frame_clock.h"

#include <ctime>

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void SleepUntilMonotonic(int64_t deadline) {
  const timespec until{static_cast<time_t>(deadline / 1'000'000'000),
                       static_cast<long>(deadline % 1'000'000'000)};
  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

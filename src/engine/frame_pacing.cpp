#include "engine/frame_pacing.h"

#include <SDL.h>

#include <ctime>

#include "engine/display_refresh.h"

namespace {

PaceTime Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return PaceTime{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

PaceTime NextFrameDeadline(PaceTime previous, PaceTime now, PaceTime period) {
  PaceTime next = previous + period;
  return now - next > period ? now : next;
}

PaceTime FramePeriod(int refreshHz, bool windowShown) {
  if (!windowShown) return HIDDEN_FRAME_PERIOD;
  return 1'000'000'000 / (refreshHz > 0 ? refreshHz : FALLBACK_REFRESH_HZ);
}

void EnableFramePacing(FramePacing& pacing, bool on) {
  pacing = FramePacing{on, on ? DisplayRefreshRate() : 0, Now()};
}

void WaitForNextFrame(FramePacing& pacing) {
  if (!pacing.on) return;
  const bool shown = (SDL_GetAppState() & SDL_APPACTIVE) != 0;
  pacing.deadline = NextFrameDeadline(pacing.deadline, Now(), FramePeriod(pacing.refreshHz, shown));
  timespec until{static_cast<time_t>(pacing.deadline / 1'000'000'000),
                 static_cast<long>(pacing.deadline % 1'000'000'000)};
  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

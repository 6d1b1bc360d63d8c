#include "engine/frame_pacing.h"

#include <SDL.h>

#include "platform/display_refresh.h"
#include "platform/frame_clock.h"

PaceTime NextFrameDeadline(PaceTime previous, PaceTime now, PaceTime period) {
  PaceTime next = previous + period;
  return now - next > period ? now : next;
}

PaceTime FramePeriod(int refreshHz, bool windowShown) {
  if (!windowShown) return HIDDEN_FRAME_PERIOD;
  return 1'000'000'000 / (refreshHz > 0 ? refreshHz : FALLBACK_REFRESH_HZ);
}

void EnableFramePacing(FramePacing& pacing, bool on) {
  pacing = FramePacing{on, on ? DisplayRefreshRate() : 0, MonotonicNanoseconds()};
}

void WaitForNextFrame(FramePacing& pacing) {
  if (!pacing.on) return;
  const bool shown = (SDL_GetAppState() & SDL_APPACTIVE) != 0;
  pacing.deadline = NextFrameDeadline(pacing.deadline, MonotonicNanoseconds(),
                                      FramePeriod(pacing.refreshHz, shown));
  SleepUntilMonotonic(pacing.deadline);
}

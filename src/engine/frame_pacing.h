// Frame pacing of the interactive loop: after each frame, and after each
// present of a transition, the reader sleeps until the next frame's deadline,
// one display refresh after the last (a few frames a second while the window
// is hidden or minimised). Deadlines are absolute, so the rate does not
// drift; a frame late by more than a period restarts the pace instead of
// catching up in a burst. Pacing is off until the main loop turns it on, so
// that tests and benchmarks drive frames unpaced; animations are timed by the
// engine clock, so pacing changes only the processor load.
#pragma once

#include <cstdint>

// Nanoseconds on the monotonic clock.
using PaceTime = int64_t;

constexpr PaceTime HIDDEN_FRAME_PERIOD = 250'000'000;  // 4 frames a second

struct FramePacing {
  bool on;
  int refreshHz;
  PaceTime deadline;
};

// The deadline after previous for a frame that ended at now: previous +
// period, or now when that is more than a period ago.
PaceTime NextFrameDeadline(PaceTime previous, PaceTime now, PaceTime period);

// The period for a display refresh rate in Hz, or HIDDEN_FRAME_PERIOD when
// the window is not shown.
PaceTime FramePeriod(int refreshHz, bool windowShown);

// Turns pacing on (the display's rate is read now; call after the video has
// started) or off.
void EnableFramePacing(FramePacing& pacing, bool on);

// When pacing is on: sleeps until the next frame's deadline. A signal cuts
// the sleep short.
void WaitForNextFrame(FramePacing& pacing);

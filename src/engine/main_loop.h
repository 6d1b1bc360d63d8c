// The main loop: drain the SDL event queue into the input records, run one
// engine frame, handle quit requests. No frame limiter: animations are timed
// by the clock, not by frames.
//
// Quitting takes two requests: the first starts the closing sequence and the
// loop goes on; the second ends the loop once the current frame is done. A
// shutdown signal ends the loop after the current frame, without the closing.
#pragma once

#include <SDL.h>

struct MainLoopState {
  bool closingStarted;  // the first quit request has been taken
  bool quitPending;     // a request to act on after the frame
};

// Applies one event to the input records and the quit state: keys to the key
// flags (a quit key is a quit request at once), mouse motion and the left and
// right buttons to Mouse, the window's close button to a pending request.
void HandleEvent(MainLoopState& loop, const SDL_Event& event);

// One iteration; false once the loop has to end.
bool MainLoopStep(MainLoopState& loop);

// Iterates until the loop ends.
void RunMainLoop();

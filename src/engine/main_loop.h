// The main loop: drain the SDL event queue into the reader's input records,
// run one engine frame, handle quit requests. RunMainLoop paces the frames to
// the display (engine/frame_pacing.h); a single step is unpaced.
//
// Quitting takes two requests: the first starts the closing sequence and the
// loop goes on; the second, even in the same event drain, ends the loop once
// the current frame is done. A
// shutdown signal ends the loop after the current frame, without the closing.
#pragma once

#include <SDL.h>

#include <cstdint>

struct MainLoopState {
  bool closingStarted;            // the first quit request has been taken
  int32_t quitsPending;           // requests to act on after the frame
  int32_t buttonsUnseen;          // pressed since the last frame ended
  int32_t buttonsReleasePending;  // released before a frame saw them down
  bool motionPending;             // a move after an unseen press, for after the frame
  int32_t pendingX, pendingY;
};

struct Reader;

// Applies one event to the input records and the quit state: keys to the key
// flags (a quit key is a quit request at once) and their presses, in order,
// to the frame's KeyPresses, mouse motion and the left and
// right buttons to Mouse, the window's close button to a pending request; an
// expose, resize or (de)activation makes the next present whole. A button or
// key pressed and released within one drain counts as one press for the next
// frame, taken where it was pressed: a move that follows it in the same drain
// reaches Mouse after that frame.
void HandleEvent(Reader& reader, MainLoopState& loop, const SDL_Event& event);

// One iteration; false once the loop has to end.
bool MainLoopStep(Reader& reader, MainLoopState& loop);

// Iterates until the loop ends.
void RunMainLoop(Reader& reader);

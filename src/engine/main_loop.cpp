#include "engine/main_loop.h"

#include "engine/covers.h"
#include "engine/engine.h"
#include "engine/frame_pacing.h"
#include "engine/keys.h"
#include "engine/present.h"
#include "engine/shutdown_signals.h"

namespace {

// The first request starts the closing and is dropped; a later one ends the
// loop once the drain and the frame are done.
void QuitRequest(MainLoopState& loop) {
  if (loop.closingStarted) {
    ++loop.quitsPending;
    return;
  }
  loop.closingStarted = true;
  StartClosing();
}

// The quit flag is read before and after the key is handled, so that a quit
// key pressed and released within one drain still counts.
void HandleKey(MainLoopState& loop, const SDL_Event& event) {
  bool before = KeyQuit() != 0;
  HandleKeyEvent(event);
  bool after = KeyQuit() != 0;
  if (before || after) QuitRequest(loop);
}

// A button released before any frame saw it down (a touchpad's tap) stays
// down until the next frame is done.
void SetButton(MainLoopState& loop, int sdlButton, bool down) {
  int32_t bit = sdlButton == SDL_BUTTON_LEFT ? MOUSE_LEFT
                : sdlButton == SDL_BUTTON_RIGHT ? MOUSE_RIGHT
                                                : 0;
  if (down) {
    Mouse.buttons |= bit;
    loop.buttonsUnseen |= bit;
    loop.buttonsReleasePending &= ~bit;
  } else if ((loop.buttonsUnseen & bit) != 0) {
    loop.buttonsReleasePending |= bit;
  } else {
    Mouse.buttons &= ~bit;
  }
}

void FrameDone(MainLoopState& loop) {
  Mouse.buttons &= ~loop.buttonsReleasePending;
  loop.buttonsUnseen = 0;
  loop.buttonsReleasePending = 0;
  KeyFrameDone();
}

}  // namespace

void HandleEvent(MainLoopState& loop, const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(loop, event); break;
    case SDL_MOUSEMOTION:
      Mouse.x = event.motion.x;
      Mouse.y = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN: SetButton(loop, event.button.button, true); break;
    case SDL_MOUSEBUTTONUP: SetButton(loop, event.button.button, false); break;
    case SDL_QUIT: ++loop.quitsPending; break;
    case SDL_VIDEOEXPOSE:
    case SDL_VIDEORESIZE:
    case SDL_ACTIVEEVENT: ForceWholePresent(); break;
    default: break;
  }
}

bool MainLoopStep(MainLoopState& loop) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(loop, event);
  EngineCommand(ENGINE_FRAME);
  FrameDone(loop);
  if (ShutdownRequested()) return false;
  // Every request counts: a second one in the same drain ends the loop, as
  // it would a frame later.
  int32_t requests = loop.quitsPending + (KeyQuit() != 0 ? 1 : 0);
  loop.quitsPending = 0;
  for (; requests > 0; --requests) {
    if (loop.closingStarted) return false;
    QuitRequest(loop);
  }
  return true;
}

void RunMainLoop() {
  MainLoopState loop{};
  EnableFramePacing(true);
  while (MainLoopStep(loop)) WaitForNextFrame();
  EnableFramePacing(false);
}

#include "engine/main_loop.h"

#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/shutdown_signals.h"
#include "widgets/covers.h"

namespace {

// The first request starts the closing and is dropped; a later one ends the
// loop once the drain and the frame are done.
void QuitRequest(MainLoopState& loop) {
  if (loop.closingStarted) {
    loop.quitPending = true;
    return;
  }
  loop.closingStarted = true;
  loop.quitPending = false;
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

void SetButton(int sdlButton, bool down) {
  int32_t bit = sdlButton == SDL_BUTTON_LEFT ? MOUSE_LEFT
                : sdlButton == SDL_BUTTON_RIGHT ? MOUSE_RIGHT
                                                : 0;
  if (down) {
    Mouse.buttons |= bit;
  } else {
    Mouse.buttons &= ~bit;
  }
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
    case SDL_MOUSEBUTTONDOWN: SetButton(event.button.button, true); break;
    case SDL_MOUSEBUTTONUP: SetButton(event.button.button, false); break;
    case SDL_QUIT: loop.quitPending = true; break;
    default: break;
  }
}

bool MainLoopStep(MainLoopState& loop) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(loop, event);
  EngineCommand(ENGINE_FRAME);
  if (ShutdownRequested()) return false;
  if (KeyQuit() == 0 && !loop.quitPending) return true;
  if (loop.closingStarted) return false;
  QuitRequest(loop);
  return true;
}

void RunMainLoop() {
  MainLoopState loop{};
  while (MainLoopStep(loop)) {
  }
}

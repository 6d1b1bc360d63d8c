#include "engine/main_loop.h"

#include "engine/engine.h"

namespace {

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
  if (!loop.quitPending) return true;
  if (loop.closingStarted) return false;
  loop.quitPending = false;
  loop.closingStarted = true;
  return true;
}

void RunMainLoop() {
  MainLoopState loop{};
  while (MainLoopStep(loop)) {
  }
}

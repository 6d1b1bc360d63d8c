#include "engine/mouse_wheel.h"

#include <SDL.h>

namespace {

int32_t wheel = 0;

// Counts wheel presses and lets every event through, the wheel's included:
// the main loop ignores buttons other than left and right.
int CountWheel(const SDL_Event* event) {
  if (event->type == SDL_MOUSEBUTTONDOWN) {
    if (event->button.button == SDL_BUTTON_WHEELDOWN) --wheel;
    if (event->button.button == SDL_BUTTON_WHEELUP) ++wheel;
  }
  return 1;
}

}  // namespace

void MouseWheelInstall() { SDL_SetEventFilter(CountWheel); }

int32_t MouseWheelGet() { return wheel; }

void MouseWheelSet(int32_t value) { wheel = value; }

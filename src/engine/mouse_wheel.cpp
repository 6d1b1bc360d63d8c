#include "engine/mouse_wheel.h"

namespace {

int32_t wheel = 0;

}  // namespace

void MouseWheelCount(const SDL_Event& event) {
  if (event.type != SDL_MOUSEBUTTONDOWN) return;
  if (event.button.button == SDL_BUTTON_WHEELDOWN) --wheel;
  if (event.button.button == SDL_BUTTON_WHEELUP) ++wheel;
}

int32_t MouseWheelGet() { return wheel; }

void MouseWheelSet(int32_t value) { wheel = value; }

#include <gtest/gtest.h>

#include <SDL.h>

#include "engine/mouse_wheel.h"
#include "support/sdl_events.h"

TEST(MouseWheel, ButtonsFourAndFiveCountIntoOneAccumulator) {
  MouseWheelSet(0);
  // A wheel button's release does not count, nor does another button.
  for (SDL_Event event : {ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT),
                          ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELDOWN)}) {
    MouseWheelCount(event);
  }
  EXPECT_EQ(MouseWheelGet(), -1);
}

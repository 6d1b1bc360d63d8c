#include <gtest/gtest.h>

#include <SDL.h>

#include "engine/mouse_wheel.h"
#include "support/sdl_events.h"

// SDL hands events it takes from the system to the filter; events pushed by
// the program skip it, so the test calls the installed filter itself.
TEST(MouseWheel, ButtonsFourAndFiveCountIntoOneAccumulator) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  MouseWheelInstall();
  SDL_EventFilter filter = SDL_GetEventFilter();
  ASSERT_NE(filter, nullptr);
  MouseWheelSet(0);
  // Every event goes on to the queue; a wheel button's release does not count.
  for (SDL_Event event : {ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP),
                          ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT),
                          ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELDOWN)}) {
    EXPECT_EQ(filter(&event), 1);
  }
  EXPECT_EQ(MouseWheelGet(), -1);
  SDL_SetEventFilter(nullptr);
  SDL_Quit();
}

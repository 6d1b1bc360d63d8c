#include <gtest/gtest.h>

#include <SDL.h>

#include "engine/mouse_wheel.h"

// SDL hands events it takes from the system to the filter; events pushed by
// the program skip it, so the test calls the installed filter itself.
TEST(MouseWheel, ButtonsFourAndFiveCountIntoOneAccumulator) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  MouseWheelInstall();
  SDL_EventFilter filter = SDL_GetEventFilter();
  ASSERT_NE(filter, nullptr);
  MouseWheelSet(0);
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  for (Uint8 button : {SDL_BUTTON_WHEELDOWN, SDL_BUTTON_WHEELDOWN, SDL_BUTTON_WHEELDOWN,
                       SDL_BUTTON_WHEELUP, SDL_BUTTON_LEFT}) {
    event.button.button = button;
    EXPECT_EQ(filter(&event), 1);  // every event goes on to the queue
  }
  event.type = SDL_MOUSEBUTTONUP;
  event.button.button = SDL_BUTTON_WHEELDOWN;
  filter(&event);
  EXPECT_EQ(MouseWheelGet(), -2);
  MouseWheelSet(0);
  EXPECT_EQ(MouseWheelGet(), 0);
  SDL_SetEventFilter(nullptr);
  SDL_Quit();
}

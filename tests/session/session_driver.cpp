#include "session_driver.h"

#include <cstdio>
#include <cstdlib>

#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/mouse_wheel.h"
#include "engine/setup_dialog.h"
#include "engine/video.h"
#include "resources/archive.h"

namespace {

constexpr uint32_t CLOCK_STEP_MS = 250;

uint32_t now = 1000;
uint32_t LeapingClock() { return now += CLOCK_STEP_MS; }

void Push(SDL_Event event) {
  if (SDL_PushEvent(&event) == 0) return;
  std::fprintf(stderr, "SDL_PushEvent: %s\n", SDL_GetError());
  std::exit(1);
}

void PushKey(Uint8 type, SDLKey key) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = key;
  Push(event);
}

void PushButton(Uint8 type) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  Push(event);
}

}  // namespace

// The steps of RunReader up to its main loop.
SessionDriver::SessionDriver() {
  SetEngineClock(LeapingClock);
  SetupDefaults(Setup);
  RunSetupDialog(Setup, false);
  VideoStart(Setup);
  MouseWheelInstall();
  Mouse = MouseState{};
  KeyStateCreate();
  EngineCommand(ENGINE_INIT);
}

// The steps of RunReader after its main loop.
SessionDriver::~SessionDriver() {
  EngineCommand(ENGINE_SHUTDOWN);
  VideoStop();
  ResourceCloseAll();
  SetEngineClock(nullptr);
}

bool SessionDriver::Frame() {
  if (running_) {
    running_ = MainLoopStep(loop_);
    ++frames_;
  }
  return running_;
}

void SessionDriver::MoveTo(int32_t x, int32_t y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.type = SDL_MOUSEMOTION;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  Push(event);
  Frame();
}

void SessionDriver::Click(int32_t x, int32_t y) {
  MoveTo(x, y);
  PushButton(SDL_MOUSEBUTTONDOWN);
  Frame();
  PushButton(SDL_MOUSEBUTTONUP);
  Frame();
}

void SessionDriver::Tap(SDLKey key) { Hold(key, 1); }

void SessionDriver::Hold(SDLKey key, int32_t frames) {
  PushKey(SDL_KEYDOWN, key);
  for (int32_t i = 0; i < frames; ++i) Frame();
  PushKey(SDL_KEYUP, key);
  Frame();
}

void SessionDriver::Wheel(int32_t clicks) {
  MouseWheelSet(clicks);
  Frame();
}

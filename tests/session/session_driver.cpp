#include "session_driver.h"

#include <cstdio>
#include <cstdlib>

#include "base/clock.h"
#include "engine/mouse_wheel.h"
#include "engine/setup_dialog.h"
#include "resources/archive.h"
#include "support/sdl_events.h"

namespace {

constexpr uint32_t CLOCK_STEP_MS = 250;

uint32_t now = 1000;
uint32_t LeapingClock() { return now += CLOCK_STEP_MS; }

}  // namespace

// The steps of RunReader up to its main loop.
SessionDriver::SessionDriver(const ReaderPlaces& places) {
  ResourceUsePlaces(places);
  SetEngineClock(LeapingClock);
  Reader& r = *reader_;
  SetupDefaults(r.Setup);
  RunSetupDialog(r.Setup, false);
  VideoStart(r.Video, r.CursorImage, r.Setup);
  MouseWheelInstall();
  KeyStateCreate(r.Keys, r.KeyFlags, r.KeyTaps);
  EngineCommand(r, ENGINE_INIT);
}

// The steps of RunReader after its main loop.
SessionDriver::~SessionDriver() {
  EngineCommand(*reader_, ENGINE_SHUTDOWN);
  VideoStop(reader_->Video, reader_->CursorImage);
  ResourceCloseAll();
  SetEngineClock(nullptr);
}

bool SessionDriver::Frame() {
  if (running_) {
    running_ = MainLoopStep(*reader_, loop_);
    ++frames_;
  }
  return running_;
}

void SessionDriver::MoveTo(int32_t x, int32_t y) {
  PushEvent(MotionEvent(x, y));
  Frame();
}

void SessionDriver::Click(int32_t x, int32_t y) {
  MoveTo(x, y);
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  Frame();
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  Frame();
}

void SessionDriver::Tap(SDLKey key) { Hold(key, 1); }

void SessionDriver::Hold(SDLKey key, int32_t frames) {
  PushEvent(KeyEvent(SDL_KEYDOWN, key));
  for (int32_t i = 0; i < frames; ++i) Frame();
  PushEvent(KeyEvent(SDL_KEYUP, key));
  Frame();
}

void SessionDriver::Wheel(int32_t clicks) {
  MouseWheelSet(clicks);
  Frame();
}

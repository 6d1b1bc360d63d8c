// Drives the reader as a user would: the reader's start-up on the given
// places, then main-loop frames fed with SDL events pushed
// here. The engine clock leaps ahead at every read, so that each animation
// ends within a few frames and the mouse falls asleep soon when left alone.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "engine/main_loop.h"
#include "engine/reader_state.h"
#include "resources/reader_places.h"

class SessionDriver {
 public:
  explicit SessionDriver(const ReaderPlaces& places);
  ~SessionDriver();
  SessionDriver(const SessionDriver&) = delete;
  SessionDriver& operator=(const SessionDriver&) = delete;

  // One main-loop iteration; false once the loop has ended.
  bool Frame();
  void MoveTo(int32_t x, int32_t y);    // one frame
  void Click(int32_t x, int32_t y);     // pressed for one frame, released in the next
  void Tap(SDLKey key);                 // the same for a key
  void Hold(SDLKey key, int32_t frames);
  void Wheel(int32_t clicks);           // negative forward; one frame

  int32_t frames() const { return frames_; }
  bool running() const { return running_; }
  Reader& reader() { return *reader_; }

 private:
  std::unique_ptr<Reader> reader_ = std::make_unique<Reader>();
  MainLoopState loop_{};
  bool running_ = true;
  int32_t frames_ = 0;
};

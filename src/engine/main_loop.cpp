#include "engine/main_loop.h"

#include "engine/mouse_wheel.h"
#include "engine/reader_state.h"
#include "platform/shutdown_signals.h"

namespace {

// More than a hand types between two frames, even slow ones.
constexpr size_t PRESSES_KEPT = 64;

// The first request starts the closing and is dropped; a later one ends the
// loop once the drain and the frame are done.
void QuitRequest(Reader& reader, MainLoopState& loop) {
  if (loop.closingStarted) {
    ++loop.quitsPending;
    return;
  }
  loop.closingStarted = true;
  StartClosing(reader.ClosingSequence);
}

// The quit flag is read before and after the key is handled, so that a quit
// key pressed and released within one drain still counts.
void HandleKey(Reader& reader, MainLoopState& loop, const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN && reader.KeyPresses.size() < PRESSES_KEPT) {
    reader.KeyPresses.push_back({event.key.keysym.sym, (event.key.keysym.mod & KMOD_SHIFT) != 0});
  }
  bool before = KeyQuit(reader.KeyFlags) != 0;
  HandleKeyEvent(reader.Keys, reader.KeyFlags, reader.KeyTaps, event);
  bool after = KeyQuit(reader.KeyFlags) != 0;
  if (before || after) QuitRequest(reader, loop);
}

// A button released before any frame saw it down (a touchpad's tap) stays
// down until the next frame is done.
void SetButton(MouseState& mouse, MainLoopState& loop, int sdlButton, bool down) {
  int32_t bit = sdlButton == SDL_BUTTON_LEFT    ? MOUSE_LEFT
                : sdlButton == SDL_BUTTON_RIGHT ? MOUSE_RIGHT
                                                : 0;
  if (down) {
    mouse.buttons |= bit;
    loop.buttonsUnseen |= bit;
    loop.buttonsReleasePending &= ~bit;
  } else if ((loop.buttonsUnseen & bit) != 0) {
    loop.buttonsReleasePending |= bit;
  } else {
    mouse.buttons &= ~bit;
  }
}

void FrameDone(Reader& reader, MainLoopState& loop) {
  reader.Mouse.buttons &= ~loop.buttonsReleasePending;
  if (loop.motionPending) {
    reader.Mouse.x = loop.pendingX;
    reader.Mouse.y = loop.pendingY;
    loop.motionPending = false;
  }
  loop.buttonsUnseen = 0;
  loop.buttonsReleasePending = 0;
  KeyFrameDone(reader.KeyFlags, reader.KeyTaps);
  reader.KeyPresses.clear();
}

}  // namespace

void HandleEvent(Reader& reader, MainLoopState& loop, const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(reader, loop, event);
      break;
    case SDL_MOUSEMOTION:
      if (loop.buttonsUnseen != 0) {
        loop.motionPending = true;
        loop.pendingX = event.motion.x;
        loop.pendingY = event.motion.y;
      } else {
        reader.Mouse.x = event.motion.x;
        reader.Mouse.y = event.motion.y;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      MouseWheelCount(event);
      SetButton(reader.Mouse, loop, event.button.button, true);
      break;
    case SDL_MOUSEBUTTONUP:
      SetButton(reader.Mouse, loop, event.button.button, false);
      break;
    case SDL_QUIT:
      ++loop.quitsPending;
      break;
    case SDL_VIDEOEXPOSE:
    case SDL_VIDEORESIZE:
    case SDL_ACTIVEEVENT:
      ForceWholePresent(reader.Presentation);
      break;
    default:
      break;
  }
}

bool MainLoopStep(Reader& reader, MainLoopState& loop) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(reader, loop, event);
  EngineCommand(reader, ENGINE_FRAME);
  FrameDone(reader, loop);
  if (ShutdownRequested()) return false;
  // Every request counts: a second one in the same drain ends the loop, as
  // it would a frame later.
  int32_t requests = loop.quitsPending + (KeyQuit(reader.KeyFlags) != 0 ? 1 : 0);
  loop.quitsPending = 0;
  for (; requests > 0; --requests) {
    if (loop.closingStarted) return false;
    QuitRequest(reader, loop);
  }
  return true;
}

void RunMainLoop(Reader& reader) {
  MainLoopState loop{};
  EnableFramePacing(reader.Pacing, true);
  while (MainLoopStep(reader, loop)) WaitForNextFrame(reader.Pacing);
  EnableFramePacing(reader.Pacing, false);
}

// SDL events as the system sends them, for tests that feed the reader's
// event handling: pushed onto SDL's queue or handed over directly.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

inline SDL_Event KeyEvent(Uint8 type, SDLKey key, SDLMod mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = event.key.type = type;
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  return event;
}

inline SDL_Event ButtonEvent(Uint8 type, Uint8 button, int x = 0, int y = 0) {
  SDL_Event event{};
  event.type = event.button.type = type;
  event.button.button = button;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  return event;
}

inline SDL_Event MotionEvent(int x, int y) {
  SDL_Event event{};
  event.type = event.motion.type = SDL_MOUSEMOTION;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  return event;
}

inline SDL_Event TypeEvent(Uint8 type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

// A full queue is a broken test, not a reader fault.
inline void PushEvent(SDL_Event event) {
  if (SDL_PushEvent(&event) == 0) return;
  std::fprintf(stderr, "SDL_PushEvent: %s\n", SDL_GetError());
  std::abort();
}

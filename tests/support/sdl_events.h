// SDL events as the system sends them, to push or to hand over directly.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

inline SDL_Event KeyEvent(Uint8 type, SDLKey key, SDLMod mod = KMOD_NONE) {
  return SDL_Event{.key = {type, 0, 0, {0, key, mod, 0}}};
}

inline SDL_Event ButtonEvent(Uint8 type, Uint8 button, int x = 0, int y = 0) {
  return SDL_Event{.button = {type, 0, button, 0, static_cast<Uint16>(x), static_cast<Uint16>(y)}};
}

inline SDL_Event MotionEvent(int x, int y) {
  return SDL_Event{.motion = {SDL_MOUSEMOTION, 0, 0, static_cast<Uint16>(x), static_cast<Uint16>(y), 0, 0}};
}

inline SDL_Event TypeEvent(Uint8 type) { return SDL_Event{.type = type}; }

// A full queue is a broken test, not a reader fault.
inline void PushEvent(SDL_Event event) {
  if (SDL_PushEvent(&event) == 0) return;
  std::fprintf(stderr, "SDL_PushEvent: %s\n", SDL_GetError());
  std::abort();
}

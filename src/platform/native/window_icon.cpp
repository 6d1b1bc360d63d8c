#include "platform/window_icon.h"

#include <SDL.h>

#include <climits>

void SetWindowIconFromBmp(const std::vector<uint8_t>& bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return;
  if (SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()))) {
    if (SDL_Surface* icon = SDL_LoadBMP_RW(stream, 1)) {
      SDL_WM_SetIcon(icon, nullptr);
      SDL_FreeSurface(icon);
    }
  }
}

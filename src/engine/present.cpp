#include "engine/present.h"

#include <algorithm>
#include <cstring>

#include "engine/engine.h"
#include "engine/video.h"

namespace {

void ConvertRows(const Picture& from, SDL_Surface* to) {
  int rows = std::min(to->h, static_cast<int>(from.height));
  int columns = std::min(to->w, static_cast<int>(from.width));
  for (int y = 0; y < rows; ++y) {
    const uint32_t* src = from.pixels + static_cast<size_t>(y) * from.width;
    auto* dst = static_cast<uint8_t*>(to->pixels) + static_cast<size_t>(y) * to->pitch;
    if (Video.PixelMode == PIXEL_ARGB8888) {
      std::memcpy(dst, src, static_cast<size_t>(columns) * 4);
      continue;
    }
    auto* out = reinterpret_cast<uint16_t*>(dst);
    if (Video.PixelMode == PIXEL_RGB555) {
      for (int x = 0; x < columns; ++x) out[x] = ToRgb555(src[x]);
    } else {
      for (int x = 0; x < columns; ++x) out[x] = ToRgb565(src[x]);
    }
  }
}

}  // namespace

void Present() {
  SDL_Surface* target = PresentSurface();
  if (SDL_LockSurface(target) < 0) {
    SDL_UnlockSurface(target);
    return;
  }
  ConvertRows(BackBuffer, target);
  SDL_UnlockSurface(target);
  if (Video.ShadowSurface != nullptr) {
    SDL_UpperBlit(Video.ShadowSurface, nullptr, Video.ScreenSurface, nullptr);
  }
  SDL_Flip(Video.ScreenSurface);
}

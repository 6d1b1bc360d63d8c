#include "platform/display_refresh.h"

#include <dlfcn.h>

#include <cstdint>

namespace {

// SDL 2's SDL_DisplayMode, declared here since only SDL 1.2's headers are
// installed.
struct Sdl2DisplayMode {
  uint32_t format;
  int w, h;
  int refresh_rate;
  void* driverdata;
};

using GetCurrentDisplayMode = int (*)(int displayIndex, Sdl2DisplayMode* mode);

}  // namespace

int DisplayRefreshRate() {
  // RTLD_NOLOAD: only an SDL 2 that this SDL 1.2 already runs on.
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOLOAD | RTLD_LAZY);
  if (sdl2 == nullptr) return FALLBACK_REFRESH_HZ;
  auto query = reinterpret_cast<GetCurrentDisplayMode>(dlsym(sdl2, "SDL_GetCurrentDisplayMode"));
  Sdl2DisplayMode mode{};
  int rate = query != nullptr && query(0, &mode) == 0 ? mode.refresh_rate : 0;
  dlclose(sdl2);
  return rate > 0 ? rate : FALLBACK_REFRESH_HZ;
}

#include "platform/sdl_hints.h"

#include <cstdlib>
#include <string>

void SetRendererHints() {
  setenv("SDL_RENDER_DRIVER", "software", 0);
  // Else SDL backs the software renderer's window with an OpenGL texture.
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}

void SetSdlHints(const SetupConfig& config, int windowScale) {
  SetRendererHints();
  if (windowScale > 1 && config.FullScreen != 1) {
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(windowScale).c_str(), 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  }
}

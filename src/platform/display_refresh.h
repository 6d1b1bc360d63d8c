// The display's refresh rate. SDL 1.2 has no call for it; the SDL 1.2 here
// runs on SDL 2, whose SDL_GetCurrentDisplayMode is looked up in the library
// already loaded.
#pragma once

constexpr int FALLBACK_REFRESH_HZ = 60;

// The first display's refresh rate in Hz, or FALLBACK_REFRESH_HZ when SDL 2
// is not loaded or does not know it. Call after SDL_Init.
int DisplayRefreshRate();

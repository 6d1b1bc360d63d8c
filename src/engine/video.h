// The video mode: the SDL screen at 640x480 in the chosen depth, and the
// pixel format that decides how frames are converted for it.
//
// SDL here refuses 15-bpp modes, so a 15-bpp run opens the screen at 16 bpp
// and presents through an RGB555 shadow surface blitted onto the screen before
// each flip, which behaves like a display that offers 15 bpp.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "base/setup_config.h"
#include "pictures/picture.h"
#include "pictures/screen_pixels.h"
#include "platform/system_cursor.h"
#include "resources/issue_name.h"

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr const char* WINDOW_CAPTION = "Marrowin#1 [win32]";

// The caption in UTF-8, as SDL takes it: the issue's name, else WINDOW_CAPTION.
std::string WindowCaption(const IssueName& issue);

struct VideoState {
  SDL_Surface* ScreenSurface;  // from SDL_SetVideoMode, owned by SDL
  SDL_Surface* ShadowSurface;  // the RGB555 stand-in for a 15-bpp screen, or null
  int32_t PixelMode;
  SystemCursor Cursor;  // the system's pointer, hidden for the soft cursor or a resting mouse
};

// SDL_SetVideoMode flags for the settings.
uint32_t VideoFlags(const SetupConfig& config);

// Start-up steps from SDL's hints and SDL_Init to the pixel-format check:
// icon, video mode, system cursor (the engine's own into cursorImage),
// caption (from the issue's name file). A windowed screen is shown windowScale times larger. Every
// failure is fatal.
void VideoStart(VideoState& video, Picture& cursorImage, const SetupConfig& config,
                int windowScale = 1);

// The surface that presented frames are written to: the shadow or the screen.
SDL_Surface* PresentSurface(const VideoState& video);

// Frees the cursor picture and the shadow surface; SDL itself is shut down
// at exit.
void VideoStop(VideoState& video, Picture& cursorImage);

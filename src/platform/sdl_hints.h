// Settings of the SDL 2 underneath this SDL 1.2, given as environment hints
// before SDL_Init. A value the user has set is never replaced.
#pragma once

#include "base/setup_config.h"

constexpr int MAX_WINDOW_SCALE = 4;

// Presents through SDL's software renderer straight into the X window,
// without OpenGL underneath, which costs far less processor and memory than
// OpenGL without a graphics card (SDL_RENDER_DRIVER=opengl brings OpenGL
// back).
void SetRendererHints();

// The renderer's hints, and for a windowed screen a window scale above 1:
// the window shows the screen that many times larger, pixel for pixel sharp.
void SetSdlHints(const SetupConfig& config, int windowScale);

// The engine's single entry and the process-wide records it works on.
//
// EngineCommand(ENGINE_INIT) creates the working images and loads what every
// frame needs, ENGINE_FRAME draws and presents one frame, ENGINE_SHUTDOWN
// releases everything INIT made. The main loop is its only caller.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "articles/article.h"
#include "resources/picture.h"

enum EngineCommands { ENGINE_INIT = 1, ENGINE_FRAME = 2, ENGINE_SHUTDOWN = 3 };

enum MouseButtons { MOUSE_LEFT = 1, MOUSE_RIGHT = 2 };

// Input as the frame sees it; the frame clears a button bit once it has acted
// on the click, so a click is consumed once.
struct MouseState {
  int32_t x;        // last motion position, screen pixels
  int32_t y;
  int32_t buttons;  // MouseButtons held
};

// Owned by the engine core, from start-up to shutdown.
extern Picture BackBuffer;               // 640x480, everything is drawn here
extern SDL_Surface* BackBufferSurface;   // its pixels in DirectX-blit mode, or null
extern Picture SavedScreen;              // the previous screen, for transitions
extern IndexedPicture PlasmaImage;       // the dissolve mask of panel changes
extern Picture CursorImage;              // the engine's own mouse cursor
extern MouseState Mouse;
extern std::unique_ptr<FixedFont> EngineFixedFont;      // "DATA/fonts/fixed.fnt"
extern std::unique_ptr<FontManager> EngineFontManager;  // with the fonts.txt faces

// The two faces above, lent to the articles the engine loads.
ArticleFonts EngineFonts();

// Any command other than the three does nothing.
void EngineCommand(int command);

// The system's mouse pointer over the screen, shown or hidden. In a browser
// the page's pointer is simply shown or hidden over the canvas.
//
// Hidden means a blank cursor, never SDL_ShowCursor(0): this SDL turns a
// hidden cursor over a full screen (which grabs the input) into relative
// mouse motion, and then the absolute positions that tablets, touch screens
// and remote desktops send never reach the reader.
#pragma once

#include <SDL.h>

#include <memory>

struct CursorFree {
  void operator()(SDL_Cursor* cursor) const;
};
using CursorHandle = std::unique_ptr<SDL_Cursor, CursorFree>;

struct SystemCursor {
  SDL_Cursor* standard{};  // SDL's own, owned by SDL
  CursorHandle blank;      // null when SDL could not make one
};

// After the video mode is set: takes SDL's cursor and makes the blank one.
void SystemCursorStart(SystemCursor& cursor);

void SystemCursorShow(SystemCursor& cursor, bool shown);

// Puts SDL's own cursor back before the blank one is freed.
void SystemCursorStop(SystemCursor& cursor);

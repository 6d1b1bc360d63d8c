// Frame presentation: the reader's 32-bit BackBuffer shown on the screen,
// converted to the screen's pixel format, with the engine's own cursor drawn
// on top when the setup asks for it.
//
// In DirectX-blit mode the back buffer is a 32-bit SDL surface: it is locked
// from the start of a frame (LockBackBuffer) to its presentation, and shown
// by a blit at most once per frame. Otherwise the memory back buffer is
// converted pixel by pixel (32-bit: copied).
//
// Only what changed since the last present is converted and updated: a frame
// equal to the one shown, with the cursor where it was, is not presented at
// all. A copy of the frame last shown tells what changed.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "pictures/picture.h"
#include "pictures/screen_pixels.h"

struct PresentState {
  int32_t BackBufferLocked;               // the back-buffer surface is locked by the engine
  int32_t PresentedThisFrame;             // the surface back buffer was shown in this frame
  int32_t CursorHidden;                   // mouse asleep, covers, picture view
  int32_t WholePending;                   // the next present shows the whole frame
  int32_t Presents;                       // presents that reached the screen
  int32_t UpdatedRects;                   // rectangles updated by the last of them
  int32_t CursorShown, CursorX, CursorY;  // the soft cursor as last drawn
  std::vector<uint32_t> LastFrame;        // the frame last shown, without cursor
  // A strip over the foot of every frame, under the cursor and not part of
  // the frame (the watch's warnings): whole rows of 0x00RRGGBB; empty: none.
  std::vector<uint32_t> Band;
  int32_t BandChanged;    // set since the last present
  int32_t BandShownRows;  // rows of it on the screen
  // Where the frame is the screen: the band as drawn there, and what it covers.
  std::vector<uint32_t> BandDrawn, BandUnder;
};

struct Reader;

// Locks the surface back buffer and points BackBuffer at its pixels; succeeds
// at once for a memory back buffer. False when SDL cannot lock (the caller
// drops the frame); locking twice is fatal ("Already locked !").
bool LockBackBuffer(Reader& reader);

// Shows what changed in BackBuffer and the cursor since the last present:
// nothing, some rectangles (SDL_UpdateRects) or the whole screen (SDL_Flip).
// A screen that cannot be locked skips the frame.
void Present(Reader& reader);

// The next present shows the whole frame: the window was exposed, resized or
// activated, and what it shows is no longer known.
void ForceWholePresent(PresentState& presentation);

// Shows band (rows of SCREEN_WIDTH pixels) over the foot of the screen from
// the next present on, in place of the one before; empty takes it away.
void SetPresentBand(PresentState& presentation, std::vector<uint32_t> band);

void HideEngineCursor(Reader& reader);
void ShowEngineCursor(Reader& reader);
